# The table of inputs (editing/inputs.tsv) as each place that lists them shows it.
# inputs(TABLE FORMAT VARIABLE): the rows of TABLE in FORMAT, one of
#   man        .TP paragraphs, the input in bold, what it does as a sentence;
#   appstream  <li> items, keys in <code>;
#   html       table rows, keys in <kbd>;
#   markdown   table rows, as the README holds them.
function(inputs TABLE FORMAT VARIABLE)
  file(READ ${TABLE} text)
  string(REPLACE ";" "<semicolon>" text "${text}")  # not a list's separator
  string(REGEX MATCHALL "[^\n]+" lines "${text}")
  set(rows "")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^([^#\t][^\t]*)\t(.+)$")
      continue()
    endif()
    set(input "${CMAKE_MATCH_1}")
    set(does "${CMAKE_MATCH_2}")
    if(FORMAT STREQUAL "man")
      string(REPLACE "`" "" input "${input}")
      string(SUBSTRING "${does}" 0 1 first)
      string(SUBSTRING "${does}" 1 -1 rest)
      string(TOUPPER "${first}" first)
      string(APPEND rows ".TP\n.B ${input}\n${first}${rest}.\n")
    elseif(FORMAT STREQUAL "appstream")
      string(REGEX REPLACE "`([^`]+)`" "<code>\\1</code>" input "${input}")
      string(APPEND rows "      <li>${input}: ${does}.</li>\n")
    elseif(FORMAT STREQUAL "html")
      string(REGEX REPLACE "`([^`]+)`" "<kbd>\\1</kbd>" input "${input}")
      string(APPEND rows "  <tr><td>${input}</td><td>${does}</td></tr>\n")
    else()
      string(APPEND rows "| ${input} | ${does} |\n")
    endif()
  endforeach()
  string(REPLACE "<semicolon>" ";" rows "${rows}")
  string(REGEX REPLACE "\n$" "" rows "${rows}")  # the template's line ends the last
  set(${VARIABLE} "${rows}" PARENT_SCOPE)
endfunction()
