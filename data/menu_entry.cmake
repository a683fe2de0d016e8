# Run at install time: writes the menu entry with Exec holding the program's full path under the
# install's prefix, quoted so that desktop launchers read any path whole: in double quotes, with
# " ` $ and \ escaped by a backslash; then the file format's string escapes (\ doubled, line
# breaks and tabs written out) and % doubled, as it starts field codes.
# Expects ENTRY_IN and ENTRY_OUT.
set(path "${BINDIR}")  # relative to the prefix, or absolute, as GNUInstallDirs allows
cmake_path(ABSOLUTE_PATH path BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}")
string(APPEND path "/polyhull")
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" path "${path}")
string(REPLACE "\\" "\\\\" path "\"${path}\"")
string(REPLACE "\n" "\\n" path "${path}")
string(REPLACE "\t" "\\t" path "${path}")
string(REPLACE "\r" "\\r" path "${path}")
string(REPLACE "%" "%%" POLYHULL_EXEC "${path}")
configure_file("${ENTRY_IN}" "${ENTRY_OUT}" @ONLY)
