# Writes PAGE: TEMPLATE with the page's scripts PAGE_SCRIPTS (joined by commas, run in that
# order) in place of @PAGE@, the program's script PROGRAM in place of @PROGRAM@, the icon ICON
# as a data address in place of @ICON@, and the rows of the table of inputs INPUTS in place of
# @INPUTS@ (written by DATA/inputs.cmake).
# With SITE on, @MANIFEST@ becomes a link to the manifest beside the page, which also tells the
# page to register its service worker; the one file names none.
cmake_minimum_required(VERSION 3.25)  # run with -P: the policies of this version

# Reads the script FILE into VARIABLE, fit to stand inside a <script> element. There "</script"
# in any case ends it: written "<\/script" it means the same in JS. "<!--" would change how the
# rest is parsed (a "<script" after it hides the element's end) and has no escape that means
# the same in every JS context, so the build stops on it.
function(read_script FILE VARIABLE)
  file(READ "${FILE}" script)
  string(REGEX REPLACE "<(/[Ss][Cc][Rr][Ii][Pp][Tt])" "<\\\\\\1" script "${script}")
  string(FIND "${script}" "<!--" comment)
  if(NOT comment EQUAL -1)
    message(FATAL_ERROR "${FILE} holds \"<!--\", which would change where the page's script ends")
  endif()
  set(${VARIABLE} "${script}" PARENT_SCOPE)
endfunction()

# minify(FILE VARIABLE): the script FILE into VARIABLE, with TERSER (when set) compressed and its
# local names shortened (by way of SCRATCH.min.js), which the page's size limit needs; its global
# names stay, which the page's scripts share with each other and with the program's.
function(minify FILE VARIABLE)
  if(TERSER)
    execute_process(COMMAND ${TERSER} ${FILE} --compress --mangle -o ${SCRATCH}.min.js
                    COMMAND_ERROR_IS_FATAL ANY)
    set(FILE ${SCRATCH}.min.js)
  endif()
  read_script("${FILE}" script)
  set(${VARIABLE} "${script}" PARENT_SCOPE)
endfunction()

# The page's own scripts, joined into one; without TERSER, only without their comment lines and
# indentation: a line that starts with // is a comment in them (none spans lines in a string or
# a template).
string(REPLACE "," ";" scripts "${PAGE_SCRIPTS}")
set(page_script "")
foreach(script IN LISTS scripts)
  file(READ "${script}" part)
  string(REGEX REPLACE "\n[ \t]*//[^\n]*" "" part "\n${part}")
  string(REGEX REPLACE "\n[ \t]+" "\n" part "${part}")
  string(APPEND page_script "${part}")
endforeach()
file(WRITE "${SCRATCH}.js" "${page_script}")
minify("${SCRATCH}.js" page_script)
minify("${PROGRAM}" program)
file(READ "${ICON}" icon)
foreach(pair "%;%25" "#;%23" "\";%22" "<;%3C" ">;%3E" "\n;%0A")  # % first
  list(GET pair 0 from)
  list(GET pair 1 to)
  string(REPLACE "${from}" "${to}" icon "${icon}")
endforeach()
file(READ "${TEMPLATE}" page)
include(${DATA}/inputs.cmake)
inputs(${INPUTS} html rows)
string(REPLACE "@INPUTS@" "${rows}" page "${page}")
string(REPLACE "@ICON@" "data:image/svg+xml,${icon}" page "${page}")
if(SITE)
  string(REPLACE "@MANIFEST@" "\n<link rel=\"manifest\" href=\"manifest.webmanifest\">" page "${page}")
else()
  string(REPLACE "@MANIFEST@" "" page "${page}")
endif()
string(REPLACE "@PAGE@" "${page_script}" page "${page}")
string(REPLACE "@PROGRAM@" "${program}" page "${page}")
file(WRITE "${PAGE}" "${page}")
