# Shared by the install tests' scripts, which run with cmake -P and get
# EXPECTED (the report with LF line ends), CRLF (ON where text output ends
# lines with CR LF) and EMULATOR (the command that runs the program, its
# words joined by "|", or empty).

function(fail what)
  message(FATAL_ERROR "${what}")
endfunction()

# Runs the program on the example in work_dir and fails unless it exits with
# status 0, leaves standard error empty and prints exactly the expected report.
function(expect_example_report program example work_dir)
  file(READ ${EXPECTED} expected_text)
  if(CRLF)
    string(REPLACE "\n" "\r\n" expected_text "${expected_text}")
  endif()
  set(expected ${work_dir}/expected_report.txt)
  set(actual ${work_dir}/actual_report.txt)
  file(WRITE ${expected} "${expected_text}")

  string(REPLACE "|" ";" emulator "${EMULATOR}")
  execute_process(
    COMMAND ${emulator} ${program} ${example}
    WORKING_DIRECTORY ${work_dir}
    RESULT_VARIABLE status OUTPUT_FILE ${actual} ERROR_VARIABLE err)

  set(problems "")
  if(NOT status STREQUAL "0")
    string(APPEND problems "exit status ${status}, expected 0\n")
  endif()
  if(NOT err STREQUAL "")
    string(APPEND problems "standard error not empty:\n${err}\n")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${actual} ${expected} RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    file(READ ${actual} actual_text)
    file(READ ${actual} actual_hex HEX)
    file(READ ${expected} expected_hex HEX)
    string(APPEND problems "standard output differs from the expected report\n"
                           "expected:\n${expected_text}\nactual:\n${actual_text}\n"
                           "expected bytes: ${expected_hex}\nactual bytes:   ${actual_hex}\n")
  endif()
  if(problems)
    fail("${program} ${example}:\n${problems}")
  endif()
endfunction()
