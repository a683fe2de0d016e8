# Writes PAGE: TEMPLATE with the program's script PROGRAM in place of @PROGRAM@ and the icon ICON
# as a data address in place of @ICON@.
cmake_minimum_required(VERSION 3.25)  # run with -P: the policies of this version
file(READ "${PROGRAM}" script)
# Inside a <script> element "</script" in any case ends it; written "<\/script" it means the same
# in JS. "<!--" would change how the rest is parsed (a "<script" after it hides the element's
# end) and has no escape that means the same in every JS context, so the build stops on it.
string(REGEX REPLACE "<(/[Ss][Cc][Rr][Ii][Pp][Tt])" "<\\\\\\1" script "${script}")
string(FIND "${script}" "<!--" comment)
if(NOT comment EQUAL -1)
  message(FATAL_ERROR "${PROGRAM} holds \"<!--\", which would change where the page's script ends")
endif()
file(READ "${ICON}" icon)
foreach(pair "%;%25" "#;%23" "\";%22" "<;%3C" ">;%3E" "\n;%0A")  # % first
  list(GET pair 0 from)
  list(GET pair 1 to)
  string(REPLACE "${from}" "${to}" icon "${icon}")
endforeach()
file(READ "${TEMPLATE}" page)
string(REPLACE "@ICON@" "data:image/svg+xml,${icon}" page "${page}")
string(REPLACE "@PROGRAM@" "${script}" page "${page}")
file(WRITE "${PAGE}" "${page}")
