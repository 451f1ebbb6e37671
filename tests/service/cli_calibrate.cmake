# The calibrate and batch commands of vildo-cli, end to end over the embedded service.
include(${CMAKE_CURRENT_LIST_DIR}/cli_run.cmake)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# The same seed and the same service state give the same result, byte for byte.
run(0 ${CLI} calibrate --county-item 2 --area-item 1 --seed 11 --json --db ${WORK}/first.db)
set(first "${out}")
run(0 ${CLI} calibrate --county-item 2 --area-item 1 --seed 11 --json --db ${WORK}/second.db)
if(NOT first STREQUAL out)
  message(FATAL_ERROR "two runs with --seed 11 differ:\n${first}\n${out}")
endif()
string(JSON verdict GET "${first}" Verdict)
string(JSON path GET "${first}" Path)
string(JSON fit GET "${first}" ModelFit)
string(JSON best GET "${first}" BestFit)
string(JSON density GET "${first}" WinterDensity)
if(NOT verdict OR NOT path STREQUAL "search" OR NOT fit EQUAL best OR density LESS_EQUAL 0)
  message(FATAL_ERROR "calibrate gave verdict ${verdict}, path ${path}, fit ${fit} of best ${best}, density ${density}")
endif()
# The second run on the first database starts from the result the first one uploaded.
run(0 ${CLI} calibrate --county-item 2 --area-item 1 --seed 11 --json --db ${WORK}/first.db)
string(JSON path GET "${out}" Path)
if(NOT path STREQUAL "cached")
  message(FATAL_ERROR "the second calibration took the path ${path}")
endif()
# The text form names the area and its verdict; the time goes to stderr.
run(0 ${CLI} calibrate --county-item 2 --area-item 1 --seed 11 --db ${WORK}/third.db)
string(FIND "${out}" "Efter jakt: " at)
string(FIND "${err}" "Tid: " timed)
if(at EQUAL -1 OR timed EQUAL -1)
  message(FATAL_ERROR "calibrate printed:\n${out}\n${err}")
endif()

run(2 ${CLI} calibrate --county-item 2 --area-item 1 --seed -1)
run(2 ${CLI} calibrate --county-item 2)
run(2 ${CLI} calibrate --county-item 2 --area-item 99 --db ${WORK}/first.db)

# The batch writes the header and one line per area of Uppsala (the county and its three areas).
run(0 ${CLI} batch --county-item 2 --out ${WORK}/GlobalCC.csv --db ${WORK}/batch.db)
file(READ ${WORK}/GlobalCC.csv text HEX)
string(REGEX MATCHALL "0d0a" ends "${text}")
list(LENGTH ends n)
if(NOT n EQUAL 5)
  message(FATAL_ERROR "GlobalCC.csv has ${n} lines")
endif()
run(2 ${CLI} batch --county-item 99)
# Dalarna's walk used to end at Orsa-Älvdalen, whose 2020 search began from the stock the 2021 estimate left,
# which the start window's predators killed: that search now starts over from the area as it was loaded, and
# every area gets its estimate.
run(0 ${CLI} batch --county-item 15 --out ${WORK}/Dalarna.csv --db ${WORK}/batch.db)
file(READ ${WORK}/Dalarna.csv hex HEX)
string(REGEX MATCHALL "0d0a" ends "${hex}")
list(LENGTH ends n)
# Orsa-Älvdalen's line ("\t2004\t20\t") is there, and no line lacks its estimate fields ("\t\t\r\n").
string(FIND "${hex}" "0932303034093230" orsa)
string(FIND "${hex}" "09090d0a" unestimated)
if(NOT n EQUAL 6 OR orsa EQUAL -1 OR NOT unestimated EQUAL -1)
  message(FATAL_ERROR "Dalarna.csv has ${n} lines, Orsa-Älvdalen at ${orsa}, a line without estimate at "
                      "${unestimated}\n${err}")
endif()
# Orsa-Älvdalen from 2021, whose every replay calls for more forage than the control allows, ends with a verdict.
run(0 ${CLI} calibrate --county-item 15 --area-item 4 --start-year 2021 --json --db ${WORK}/orsa.db)
string(JSON verdict GET "${out}" Verdict)
if(NOT verdict)
  message(FATAL_ERROR "Orsa-Älvdalen from 2021 gave no verdict:\n${out}")
endif()
