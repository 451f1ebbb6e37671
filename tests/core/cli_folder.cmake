# A contract script's own folder, emptied first, and run_cli(OUT RC ARGS...), which runs vildo-cli there, with
# its files kept there too, and sets OUT to its standard output and RC to its exit code. Set `dir` before
# including this.
file(REMOVE_RECURSE "${dir}")
file(MAKE_DIRECTORY "${dir}")

function(run_cli out rc)
  execute_process(COMMAND ${CLI} ${ARGN} --folder ${dir} WORKING_DIRECTORY ${dir} OUTPUT_VARIABLE o RESULT_VARIABLE r ERROR_QUIET)
  set(${out} "${o}" PARENT_SCOPE)
  set(${rc} "${r}" PARENT_SCOPE)
endfunction()
