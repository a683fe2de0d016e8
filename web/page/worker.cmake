# Writes SITE/sw.js from the template WORKER: @KEPT@ the site's files that KEPT names, apart by
# commas (the page first, as the site's address), and @HASH@ a hash of their names and bytes, so
# that the same sources give the same worker and any change to what it keeps gives a new one.
cmake_minimum_required(VERSION 3.25)  # run with -P: the policies of this version
set(names "")
set(kept "")
string(REPLACE "," ";" KEPT_NAMES "${KEPT}")
foreach(file IN LISTS KEPT_NAMES)
  file(SHA256 "${SITE}/${file}" sum)
  string(APPEND names "${file} ${sum}\n")
  string(REPLACE "index.html" "./" file "${file}")
  list(APPEND kept "'${file}'")
endforeach()
string(SHA256 HASH "${names}")
string(SUBSTRING "${HASH}" 0 16 HASH)
list(JOIN kept ", " KEPT)
configure_file("${WORKER}" "${SITE}/sw.js" @ONLY)

# Whatever an earlier build left in SITE and this one did not write goes, so that the folder to
# publish holds this build's site alone.
file(GLOB present RELATIVE "${SITE}" "${SITE}/*")
list(REMOVE_ITEM present ${KEPT_NAMES} sw.js)
if(present)
  list(TRANSFORM present PREPEND "${SITE}/")
  file(REMOVE_RECURSE ${present})
endif()
