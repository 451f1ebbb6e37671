# run(RC COMMAND...): runs the command, fails the script unless it exits with RC; sets out and err.
function(run expected_rc)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "${ARGN}\nexited with ${rc}, expected ${expected_rc}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()
