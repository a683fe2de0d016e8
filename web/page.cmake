# Writes PAGE: TEMPLATE with the program's script PROGRAM in place of @PROGRAM@ and the icon ICON
# as a data address in place of @ICON@.
cmake_minimum_required(VERSION 3.25)  # run with -P: the policies of this version
file(READ "${PROGRAM}" script)
# Inside a <script> element only "</script" ends it; written "<\/script" it means the same in JS.
string(REPLACE "</script" "<\\/script" script "${script}")
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
