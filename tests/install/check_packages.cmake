# Makes the packages with cpack into a scratch folder and checks what they
# hold: exactly the program, the manual page and the example, at their
# install paths (under /usr in the .deb), and the .deb's control fields.
# The program from the archive must print the expected report.
#
# Run with cmake -P and these -D variables:
#   BUILD_DIR, CONFIG (may be empty), OUT_DIR, BINDIR, MANDIR, DATADIR,
#   PROGRAM, EXPECTED, CRLF, RUN, EMULATOR (words joined by "|"), DPKG_DEB (empty
#   where dpkg-deb is missing; the .deb is then made but not inspected).

include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)

file(REMOVE_RECURSE ${OUT_DIR})
file(MAKE_DIRECTORY ${OUT_DIR})

set(config_args)
if(CONFIG)
  set(config_args -C ${CONFIG})
endif()
execute_process(
  COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUT_DIR} ${config_args}
  WORKING_DIRECTORY ${BUILD_DIR}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  fail("cpack failed (${status}):\n${out}${err}")
endif()

set(expected_files
  ${BINDIR}/${PROGRAM}
  ${MANDIR}/man1/qel_morvak.1
  ${DATADIR}/qel_morvak/examples/template.txt)
list(SORT expected_files)

# Keeps the regular files of a listing, relative to the package's root.
function(files_in listing root result)
  string(REPLACE "\n" ";" lines "${listing}")
  set(files)
  foreach(line IN LISTS lines)
    if(line MATCHES "/$" OR line STREQUAL "")
      continue()
    endif()
    # A replacement would strip every match, not the first one only.
    if(NOT line MATCHES "^${root}(.*)$")
      fail("${line} lies outside ${root}")
    endif()
    list(APPEND files ${CMAKE_MATCH_1})
  endforeach()
  list(SORT files)
  set(${result} ${files} PARENT_SCOPE)
endfunction()

file(GLOB archives ${OUT_DIR}/*.tar.gz)
list(LENGTH archives count)
if(NOT count EQUAL 1)
  fail("expected one .tar.gz in ${OUT_DIR}, found: ${archives}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${archives} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  fail("cannot list ${archives}")
endif()
files_in("${listing}" "[^/]+/" archive_files)
if(NOT archive_files STREQUAL expected_files)
  fail("${archives} holds\n  ${archive_files}\nexpected\n  ${expected_files}")
endif()

file(GLOB debs ${OUT_DIR}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  fail("expected one .deb in ${OUT_DIR}, found: ${debs}")
endif()
if(DPKG_DEB)
  execute_process(COMMAND ${DPKG_DEB} --fsys-tarfile ${debs} OUTPUT_FILE ${OUT_DIR}/deb.tar RESULT_VARIABLE status)
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${OUT_DIR}/deb.tar OUTPUT_VARIABLE listing)
  files_in("${listing}" "\\./usr/" deb_files)
  if(NOT deb_files STREQUAL expected_files)
    fail("${debs} holds\n  ${deb_files}\nexpected under /usr\n  ${expected_files}")
  endif()
  set(fields "Package|qel-morvak" "Section|math")
  # A static program depends on nothing; a dynamic one gets its libraries listed.
  if(STATIC)
    list(APPEND fields "Depends|")
  endif()
  foreach(field_and_value IN LISTS fields)
    string(REPLACE "|" ";" field_and_value "${field_and_value}")
    list(GET field_and_value 0 field)
    list(LENGTH field_and_value has_value)
    set(value "")
    if(has_value EQUAL 2)
      list(GET field_and_value 1 value)
    endif()
    execute_process(COMMAND ${DPKG_DEB} -f ${debs} ${field} OUTPUT_VARIABLE actual OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT actual STREQUAL value)
      fail("${debs}: ${field} is \"${actual}\", expected \"${value}\"")
    endif()
  endforeach()
  foreach(field IN ITEMS Maintainer Description Architecture Version)
    execute_process(COMMAND ${DPKG_DEB} -f ${debs} ${field} OUTPUT_VARIABLE actual OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(actual STREQUAL "")
      fail("${debs}: no ${field} field")
    endif()
  endforeach()
endif()

if(NOT RUN)
  return()
endif()
# The packaged program is stripped; it must still print the same report.
set(unpacked ${OUT_DIR}/unpacked)
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${archives} WORKING_DIRECTORY ${unpacked})
file(GLOB program ${unpacked}/*/${BINDIR}/${PROGRAM})
file(GLOB example ${unpacked}/*/${DATADIR}/qel_morvak/examples/template.txt)
expect_example_report(${program} ${example} ${OUT_DIR})
