# Writes SITE/sw.js from the template WORKER: @KEPT@ the site's files that KEPT names, apart by
# commas (the page
# first, as the site's address), @HASH@ a hash of their names and bytes, so that the same
# sources give the same worker and any change to what it keeps gives a new one.
cmake_minimum_required(VERSION 3.25)  # run with -P: the policies of this version
set(names "")
set(kept "")
string(REPLACE "," ";" KEPT "${KEPT}")
foreach(file IN LISTS KEPT)
  file(SHA256 "${SITE}/${file}" sum)
  string(APPEND names "${file} ${sum}\n")
  string(REPLACE "index.html" "./" file "${file}")
  list(APPEND kept "'${file}'")
endforeach()
string(SHA256 HASH "${names}")
string(SUBSTRING "${HASH}" 0 16 HASH)
list(JOIN kept ", " KEPT)
configure_file("${WORKER}" "${SITE}/sw.js" @ONLY)
