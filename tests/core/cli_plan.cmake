# vildo-cli plan and the plans of forecast, end to end: the search is repeatable, a forecast of the quota it found
# has the same median in year N, identical plans give identical rows, an area's estimate is searched from, and
# what cannot be planned exits with 2.
set(dir "${WORK}/cli-plan")
include(${CMAKE_CURRENT_LIST_DIR}/cli_folder.cmake)

set(common --years 6 --replicates 60 --seed 11 --presses 1)
run_cli(first rc1 plan --goal 7 ${common} --json)
run_cli(second rc2 plan --goal 7 ${common} --json --threads 1)
if(NOT rc1 EQUAL 0 OR NOT rc2 EQUAL 0)
  message(FATAL_ERROR "plan exited with ${rc1} and ${rc2}")
endif()
if(NOT first STREQUAL second)
  message(FATAL_ERROR "the same seed gave different plans:\n${first}\n${second}")
endif()
foreach(key quota safeQuota pNearGoal pBelowFloor)
  string(JSON v ERROR_VARIABLE missing GET "${first}" ${key})
  if(missing)
    message(FATAL_ERROR "plan --json has no ${key}:\n${first}")
  endif()
endforeach()
string(JSON quota GET "${first}" quota)
string(JSON median GET "${first}" medianWinterDensity)
string(JSON calves GET "${first}" calvesPercent)
string(JSON cows GET "${first}" cowsPercent)

# The quota found, forecast alone: the same median in year 6.
run_cli(alone rc3 forecast ${common} --quota ${quota} --calves ${calves} --cows ${cows} --json)
string(JSON last GET "${alone}" years 5 winterDensity p50)
if(NOT rc3 EQUAL 0 OR NOT last EQUAL median)
  message(FATAL_ERROR "forecast --quota ${quota} gave the median ${last}, plan said ${median}")
endif()

# Plans side by side: the goal table first, then each plan; two identical plans give identical rows.
run_cli(side rc4 forecast ${common} --goal 7 --plan ${quota}:${calves}:${cows} --plan ${quota}:${calves}:${cows} --json)
string(JSON n LENGTH "${side}" plans)
string(JSON a GET "${side}" plans 1)
string(JSON b GET "${side}" plans 2)
string(JSON na GET "${side}" plans 1 name)
string(JSON nb GET "${side}" plans 2 name)
string(REPLACE "${na}" "${nb}" a "${a}")
if(NOT rc4 EQUAL 0 OR NOT n EQUAL 3 OR NOT a STREQUAL b)
  message(FATAL_ERROR "side by side:\n${side}")
endif()
run_cli(table rc5 forecast ${common} --plan ${quota} --plan 0)
if(NOT table MATCHES "Som nu" OR NOT table MATCHES "Plan 2")
  message(FATAL_ERROR "the side-by-side table:\n${table}")
endif()

# After an area's estimate the search starts from its members.
run_cli(area rc6 plan --goal 8 --years 3 --replicates 20 --seed 2 --county-item 1 --area-item 1 --members 4 --json)
if(NOT rc6 EQUAL 0)
  message(FATAL_ERROR "plan of an area exited with ${rc6}:\n${area}")
endif()

foreach(bad "plan --goal 0 --years 5" "plan --years 5" "plan --goal 7 --years 21" "plan --goal 7 --years 5 --calves 60 --cows 50"
            "forecast --years 5 --plan 10:60:50" "forecast --years 5 --plan x" "forecast --years 5 --quota -3"
            "forecast --years 5 --calves 20" "plan --goal 7 --years 5 --risk 120")
  separate_arguments(args UNIX_COMMAND "${bad}")
  run_cli(out rc ${args})
  if(NOT rc EQUAL 2)
    message(FATAL_ERROR "'${bad}' exited with ${rc}, expected 2")
  endif()
endforeach()
