# vildo-cli ends non-zero, with its message on stderr, for every input it refuses and every write that fails:
# scenarios that cannot be read, files on a full disk, a service that answers with an error status.
include(${CMAKE_CURRENT_LIST_DIR}/../standalone_service.cmake)
set(dir "${WORK}/cli-failures")
file(REMOVE_RECURSE "${dir}")
file(MAKE_DIRECTORY "${dir}")
set(failures "")

# Runs the command line in folder `in`, keeping its files there; it must exit with 1 and say `said` on stderr, with no season run
# after a refused scenario.
function(expect_failure in said)
  execute_process(COMMAND ${CLI} ${ARGN} --folder ${in} WORKING_DIRECTORY ${in} OUTPUT_VARIABLE out ERROR_VARIABLE err
                  RESULT_VARIABLE rc TIMEOUT 120)
  string(FIND "${err}" "${said}" at)
  if(NOT rc EQUAL 1 OR at EQUAL -1)
    set(failures "${failures}\n${ARGN}: exit ${rc}, stderr '${err}', expected exit 1 and '${said}'" PARENT_SCOPE)
  endif()
endfunction()

# Scenarios that cannot be read: nothing goes on from the equilibrium as if they had been.
file(WRITE "${dir}/empty.scn" "")
string(REPEAT "x" 100 shortScenario)
file(WRITE "${dir}/short.scn" "${shortScenario}")
foreach(scenario missing.scn empty.scn short.scn)
  expect_failure(${dir} "Kunde inte läsa in scenario." seasons --scenario-load ${scenario} --years 1)
endforeach()

# Files written where every write fails as on a full disk, or where no file can be made.
expect_failure(${dir} "Kan inte skriva till fil på disk som används för att spara in årsdata!"
               seasons --years 2 --scenario-save /dev/full)
expect_failure(${dir} "Kan inte skriva till filen /dev/full: disken är full." seasons --years 2 --demography /dev/full)
expect_failure(${dir} "Kan inte skriva till filen no/demo.csv: mappen finns inte."
               seasons --years 2 --demography no/demo.csv)
file(MAKE_DIRECTORY "${dir}/linked")
file(CREATE_LINK /dev/full "${dir}/linked/Annualstat.vrd" SYMBOLIC)
expect_failure(${dir}/linked "Kan inte skriva till fil på disk som används för att spara in årsdata!"
               seasons --years 3 --back 1)

# A real full disk, where this test may mount one: the seasons cannot be saved, so no step back.
file(MAKE_DIRECTORY "${dir}/disk")
execute_process(COMMAND mount -t tmpfs -o size=64k tmpfs "${dir}/disk" RESULT_VARIABLE mounted OUTPUT_QUIET ERROR_QUIET)
if(mounted EQUAL 0)
  execute_process(COMMAND dd if=/dev/zero of=${dir}/disk/filler bs=4k OUTPUT_QUIET ERROR_QUIET)
  expect_failure(${dir}/disk "Kan inte gå tillbaka till år 2" seasons --years 3 --back 1)
  expect_failure(${dir}/disk "Kan inte skriva till fil på disk som används för att spara in årsdata!"
                 seasons --years 2 --scenario-save plan.scn)
  execute_process(COMMAND umount "${dir}/disk")
else()
  message(STATUS "no tmpfs could be mounted: the full-disk rows are left out")
endif()

# A service that answers with an error status: here every address under a wrong base path is 404.
start_service(${SERVICE} ${dir}/service.db ${dir}/service.out url pid)
if(url)
  expect_failure(${dir} "Något gick fel då ÄFO-namn skulle läsas in." area list --service ${url}wrong/)
  expect_failure(${dir} "Något gick fel då ÄFO-namn skulle läsas in."
                 seasons --county-item 2 --area-item 0 --service ${url}wrong/)
else()
  set(failures "${failures}\nthe stand-alone service did not start")
endif()
execute_process(COMMAND kill ${pid})

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
