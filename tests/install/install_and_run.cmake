# Installs the build into a scratch prefix, checks that the manual page and
# the example are the shipped files, then runs the installed program on the
# installed example and compares its whole output, byte for byte, with the
# expected report. The exit status must be 0 and standard error empty.
#
# Run with cmake -P and these -D variables:
#   BUILD_DIR, CONFIG (may be empty), PREFIX, BINDIR, MANDIR, DATADIR (relative
#   install dirs), PROGRAM (the executable's file name), SOURCE_DIR, EXPECTED
#   (the report with LF line ends), CRLF (ON where text output ends lines with
#   CR LF), RUN (OFF when the program cannot run here) and EMULATOR (the
#   command that runs it, its words joined by "|", or empty).

include(${CMAKE_CURRENT_LIST_DIR}/common.cmake)

file(REMOVE_RECURSE ${PREFIX})
file(MAKE_DIRECTORY ${PREFIX})

set(config_args)
if(CONFIG)
  set(config_args --config ${CONFIG})
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} ${config_args}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  fail("cmake --install failed (${status}):\n${out}${err}")
endif()

set(program ${PREFIX}/${BINDIR}/${PROGRAM})
set(page ${PREFIX}/${MANDIR}/man1/qel_morvak.1)
set(example ${PREFIX}/${DATADIR}/qel_morvak/examples/template.txt)

if(NOT EXISTS ${program})
  fail("the program is not installed at ${program}")
endif()
foreach(installed_and_source IN ITEMS "${page}|${SOURCE_DIR}/docs/qel_morvak.1"
                                      "${example}|${SOURCE_DIR}/examples/template.txt")
  string(REPLACE "|" ";" installed_and_source "${installed_and_source}")
  list(GET installed_and_source 0 installed)
  list(GET installed_and_source 1 source)
  if(NOT EXISTS ${installed})
    fail("not installed: ${installed}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${installed} ${source} RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    fail("${installed} differs from ${source}")
  endif()
endforeach()

if(NOT RUN)
  message(STATUS "installed files checked; the program cannot run on this machine")
  return()
endif()

# Run away from the build tree: the installed files must be enough.
expect_example_report(${program} ${example} ${PREFIX})
