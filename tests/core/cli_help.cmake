# The command line's own help and version, the controls --set takes, and a working folder left as it was.
set(dir "${WORK}/cli-help")
include(${CMAKE_CURRENT_LIST_DIR}/cli_folder.cmake)
set(failures "")

set(commands equilibrium area synth seasons forecast calibrate batch)
foreach(command ${commands})
  execute_process(COMMAND ${CLI} ${command} --help OUTPUT_VARIABLE out RESULT_VARIABLE rc ERROR_QUIET)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "^Användning:\n  ${command} ")
    set(failures "${failures}\n${command} --help: exit ${rc}, '${out}'")
  endif()
  # That command's usage only.
  foreach(other ${commands})
    if(NOT other STREQUAL command AND out MATCHES "\n  ${other} ")
      set(failures "${failures}\n${command} --help also shows ${other}")
    endif()
  endforeach()
endforeach()

foreach(program ${CLI} ${SERVICE} ${WINDOW})
  get_filename_component(name ${program} NAME)
  execute_process(COMMAND ${program} --version OUTPUT_VARIABLE out RESULT_VARIABLE rc ERROR_QUIET)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "${name} ${VERSION}\n")
    set(failures "${failures}\n${name} --version: exit ${rc}, '${out}', expected '${name} ${VERSION}'")
  endif()
endforeach()
execute_process(COMMAND ${SERVICE} --help OUTPUT_VARIABLE out RESULT_VARIABLE rc ERROR_QUIET)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^Användning:")
  set(failures "${failures}\nvildo-dataservice --help: exit ${rc}")
endif()

execute_process(COMMAND ${CLI} --list-controls OUTPUT_VARIABLE out RESULT_VARIABLE rc ERROR_QUIET)
string(FIND "${out}" "Trk_density 1..300: önskad vinterstam × 10 per 1000 ha\n" at)
string(FIND "${out}" "chk_kvotering 0..1: Kvotering: 1 på, 0 av\n" box)
if(NOT rc EQUAL 0 OR at EQUAL -1 OR box EQUAL -1)
  set(failures "${failures}\n--list-controls: exit ${rc}, '${out}'")
endif()

# Without --folder the files go to the program's folders, never to the folder the command runs in.
file(MAKE_DIRECTORY ${dir}/work)
execute_process(COMMAND ${CLI} seasons --years 2 --back 1 --save-stats WORKING_DIRECTORY ${dir}/work
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
file(GLOB written ${dir}/work/*)
if(NOT rc EQUAL 0 OR written)
  set(failures "${failures}\nseasons in an empty folder: exit ${rc}, wrote ${written}")
endif()

# vildo-dataservice without --db keeps its database where the window and vildo-cli keep theirs: beside the program
# when it may write there, an installed one in the user's data folder's Vildo; never in the working folder.
file(MAKE_DIRECTORY ${dir}/service-work ${dir}/portable ${dir}/installed/bin ${dir}/installed/share/vildo/data/areas)
file(COPY ${SERVICE} DESTINATION ${dir}/portable)
file(COPY ${SERVICE} DESTINATION ${dir}/installed/bin)
set(area ${CMAKE_CURRENT_LIST_DIR}/../../data/areas/01_01.csv)
foreach(case "portable;portable/vildo-dataservice.db" "installed/bin;xdg/Vildo/vildo-dataservice.db")
  list(GET case 0 folder)
  list(GET case 1 db)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${dir} XDG_DATA_HOME=${dir}/xdg
                          ${dir}/${folder}/vildo-dataservice import ${area}
                  WORKING_DIRECTORY ${dir}/service-work RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  file(GLOB written ${dir}/service-work/*)
  if(NOT rc EQUAL 0 OR written OR NOT EXISTS ${dir}/${db})
    set(failures "${failures}\nvildo-dataservice in ${folder} without --db: exit ${rc} ${err}, wrote '${written}' in the "
                 "working folder, ${db} missing")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
