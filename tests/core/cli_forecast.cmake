# vildo-cli forecast end to end, in a folder of its own: the seed makes it repeatable on any number of threads,
# --csv writes the table, a loaded area forecasts from the end of its history, and usage errors exit with 2.
set(dir "${WORK}/cli-forecast")
include(${CMAKE_CURRENT_LIST_DIR}/cli_folder.cmake)

run_cli(first rc1 forecast --years 3 --replicates 40 --seed 5 --presses 1 --threads 1)
run_cli(second rc2 forecast --years 3 --replicates 40 --seed 5 --presses 1 --threads 2 --csv prognos.csv)
if(NOT rc1 EQUAL 0 OR NOT rc2 EQUAL 0)
  message(FATAL_ERROR "forecast exited with ${rc1} and ${rc2}")
endif()
if(NOT first STREQUAL second)
  message(FATAL_ERROR "the same seed gave different forecasts:\n${first}\n${second}")
endif()
string(REGEX MATCHALL "\n +[0-9]+ +[123] +[0-9]" rows "${first}")
list(LENGTH rows n)
if(NOT n EQUAL 3)
  message(FATAL_ERROR "expected three year rows, got ${n}:\n${first}")
endif()
run_cli(other rc3 forecast --years 3 --replicates 40 --seed 6 --presses 1)
if(other STREQUAL first)
  message(FATAL_ERROR "another seed gave the same forecast")
endif()

# Windows-1252, ';' and CRLF: "År;Säsong;" opens the header, then one line per year.
file(READ "${dir}/prognos.csv" csv HEX)
if(NOT csv MATCHES "^c5723b53e4736f6e673b")
  message(FATAL_ERROR "prognos.csv does not open with the Windows-1252 header: ${csv}")
endif()
string(REGEX MATCHALL "0d0a" ends "${csv}")
list(LENGTH ends lines)
if(NOT lines EQUAL 4)
  message(FATAL_ERROR "prognos.csv has ${lines} lines, expected a header and three years")
endif()

# The national area's history runs 2012..2025: its forecast starts in 2026.
run_cli(area rc4 forecast --county-item 0 --area-item 0 --no-estimate --seed 3 --years 2 --replicates 10 --json)
if(NOT rc4 EQUAL 0)
  message(FATAL_ERROR "forecast of an area exited with ${rc4}")
endif()
string(JSON year GET "${area}" years 0 year)
string(JSON count GET "${area}" replicates)
if(NOT year EQUAL 2026 OR NOT count EQUAL 10)
  message(FATAL_ERROR "the area's forecast starts in ${year} with ${count} replicates: ${area}")
endif()

# After an estimate the futures start from its members: the first year's band holds the estimate's spread.
# The goal the shares are measured against is the one given.
run_cli(estimated rc5 forecast --county-item 2 --area-item 1 --seed 3 --years 1 --replicates 16 --members 4
        --goal 12,5 --json)
if(NOT rc5 EQUAL 0)
  message(FATAL_ERROR "forecast after an estimate exited with ${rc5}")
endif()
string(JSON low GET "${estimated}" years 0 winterDensity p10)
string(JSON high GET "${estimated}" years 0 winterDensity p90)
string(JSON goal GET "${estimated}" wantedDensity)
if(NOT low LESS high OR NOT goal MATCHES "^12\\.50*$")
  message(FATAL_ERROR "the first year's band is ${low}..${high}, the goal ${goal}: ${estimated}")
endif()

foreach(bad "" "--years;0" "--years;21" "--years;3;--replicates;0" "--years;3;--threads;0" "--years;3;--seed;-1"
            "--years;3;--no-estimate" "--years;3;--county-item;0" "--years;3;--csv" "--years;3;--bogus"
            "--years;3;--goal;0" "--years;3;--goal;x" "--years;3;--members;1")
  run_cli(out rc forecast ${bad})
  if(NOT rc EQUAL 2)
    message(FATAL_ERROR "forecast ${bad} gave exit code ${rc}, expected 2")
  endif()
endforeach()
