# Renders the manual page with every groff warning enabled and fails on any
# diagnostic. Besides groff's default device it renders for the terminal
# devices that man(1) uses, where a missing glyph shows as a warning too.
#
# Run with cmake -P and -DGROFF=<groff> -DPAGE=<page>.

foreach(device IN ITEMS "" utf8 ascii)
  set(command ${GROFF} -man -ww -z)
  if(device)
    list(APPEND command -T${device})
  endif()
  execute_process(COMMAND ${command} ${PAGE} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT err STREQUAL "" OR NOT out STREQUAL "")
    list(JOIN command " " shown)
    message(FATAL_ERROR "${shown} ${PAGE}: status ${status}\n${err}${out}")
  endif()
endforeach()
