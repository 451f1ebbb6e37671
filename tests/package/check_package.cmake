# Makes the .deb with cpack in a scratch folder, checks its listing and its control fields, then unpacks it and
# runs the packaged command line from an unrelated folder: the area menu must come from the packaged seed data.
set(dir "${WORK}/package")
file(REMOVE_RECURSE "${dir}")
file(MAKE_DIRECTORY "${dir}/elsewhere")
set(failures "")

execute_process(COMMAND ${CPACK} -G DEB -B ${dir} --config ${BUILD}/CPackConfig.cmake
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 500)
file(GLOB debs "${dir}/*.deb")
list(LENGTH debs count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack -G DEB: exit ${rc}, ${count} package(s)\n${out}\n${err}")
endif()

execute_process(COMMAND dpkg-deb -c ${debs} OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
foreach(path ./usr/bin/vildo ./usr/bin/vildo-cli ./usr/bin/vildo-dataservice
             ./usr/share/applications/vildo.desktop ./usr/share/icons/hicolor/scalable/apps/vildo.svg
             ./usr/share/doc/vildo/README.md ./usr/share/doc/vildo/hjalp.txt
             ./usr/share/vildo/data/README.md ./usr/share/vildo/data/areas/01_01.csv
             ./usr/share/man/man1/vildo.1.gz ./usr/share/man/man1/vildo-cli.1.gz
             ./usr/share/man/man1/vildo-dataservice.1.gz ./usr/share/doc/vildo/copyright
             ./usr/share/doc/vildo/changelog.Debian.gz ./usr/share/mime/packages/vildo.xml)
  string(FIND "${listing}" " ${path}\n" at)
  if(at EQUAL -1)
    string(APPEND failures "\nthe package lacks ${path}")
  endif()
endforeach()

# The synthetic areas' answer key is for the tests only.
string(FIND "${listing}" "/data/truth" truth)
if(NOT truth EQUAL -1)
  string(APPEND failures "\nthe package holds data/truth")
endif()

# The runtime libraries come from dpkg-shlibdeps: the C library, the C++ runtime, Qt and SQLite at least.
foreach(field Package Maintainer Description Depends)
  execute_process(COMMAND dpkg-deb -f ${debs} ${field} OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(value STREQUAL "")
    string(APPEND failures "\nthe control field ${field} is empty")
  endif()
  set(${field} "${value}")
endforeach()
foreach(library libc6 libstdc\\+\\+6 libqt6widgets6 libsqlite3-0 qt6-translations-l10n)
  if(NOT Depends MATCHES "(^|, )${library}")
    string(APPEND failures "\nDepends lacks ${library}: ${Depends}")
  endif()
endforeach()

# One area taken out of the unpacked seed data must be missing from the menu: the program read the packaged data,
# not the source tree's.
execute_process(COMMAND dpkg-deb -x ${debs} ${dir}/root RESULT_VARIABLE rc)
file(REMOVE ${dir}/root/usr/share/vildo/data/areas/01_01.csv)
# An installed program keeps its files in the user's data folder: here one of the test's own.
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${dir}/home XDG_DATA_HOME=${dir}/home/data
                        ${dir}/root/usr/bin/vildo-cli area list WORKING_DIRECTORY ${dir}/elsewhere
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
string(FIND "${out}" "Norra Roslagen" removed)
string(FIND "${out}" "Stockholm (länskod 1)" kept)
if(NOT rc EQUAL 0 OR kept EQUAL -1 OR NOT removed EQUAL -1)
  string(APPEND failures "\nthe packaged vildo-cli area list: exit ${rc}, not the packaged seed areas\n${out}${err}")
endif()

file(GLOB written ${dir}/elsewhere/*)
file(GLOB dataFiles ${dir}/home/data/Vildo/*)
if(written OR NOT dataFiles)
  string(APPEND failures "\nthe packaged vildo-cli wrote ${written} in its working folder, ${dataFiles} in the data folder")
endif()

if(failures)
  message(FATAL_ERROR "${failures}\n\n${listing}")
endif()
message(STATUS "Depends: ${Depends}")
