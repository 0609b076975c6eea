# Writes the three files of the site that name the others by their SHA-256: start.js (the hash of
# every file the page loads), index.html (the hashes of start.js and the pictures) and
# service-worker.js (the hash of every file it keeps, under a store name that changes with any of
# them). The browser refuses a file whose bytes differ, so a cut-short or stale copy is never run
# or kept.
# Run with -DSITE=folder -DTEMPLATES=folder (start.js, index.html and service-worker.js with their
# hashes still to fill in).

set(base64_digits "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")

# The file's SHA-256 in the form the browser's integrity checks take: "sha256-" and base64.
function(integrity_of file out)
  file(SHA256 ${file} hex)
  set(encoded "")
  string(LENGTH ${hex} length)
  foreach(offset RANGE 0 ${length} 6)
    if(offset EQUAL length)
      break()
    endif()
    string(SUBSTRING ${hex} ${offset} 6 group)
    string(LENGTH ${group} group_length)
    string(SUBSTRING "${group}00000" 0 6 padded)
    math(EXPR bits "0x${padded}")
    math(EXPR digits "${group_length} * 2 / 3 + 1")  # 6 hex -> 4 digits, 4 -> 3, 2 -> 2
    foreach(shift 18 12 6 0)
      if(digits GREATER 0)
        math(EXPR index "(${bits} >> ${shift}) & 63")
        string(SUBSTRING ${base64_digits} ${index} 1 digit)
        string(APPEND encoded ${digit})
        math(EXPR digits "${digits} - 1")
      else()
        string(APPEND encoded "=")
      endif()
    endforeach()
  endforeach()
  set(${out} "sha256-${encoded}" PARENT_SCOPE)
endfunction()

# `"path": "sha256-...", ` for each of the paths, and the list's own digest as `version_out`.
function(integrity_table paths out version_out)
  set(table "")
  foreach(path IN LISTS paths)
    integrity_of(${SITE}/${path} integrity)
    string(APPEND table "\n  \"${path}\": \"${integrity}\",")
  endforeach()
  string(SHA256 version "${table}")
  string(SUBSTRING ${version} 0 16 version)
  set(${out} "${table}" PARENT_SCOPE)
  set(${version_out} ${version} PARENT_SCOPE)
endfunction()

set(stamped start.js index.html service-worker.js)
file(GLOB_RECURSE loaded RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM loaded ${stamped})
list(SORT loaded)

integrity_table("${loaded}" FLURB_SITE_INTEGRITY FLURB_SITE_VERSION)
configure_file(${TEMPLATES}/start.js ${SITE}/start.js @ONLY)
integrity_of(${SITE}/start.js FLURB_START_INTEGRITY)
# The page asks for the first card's picture itself, as it is read.
file(GLOB pictures RELATIVE ${SITE} ${SITE}/pictures/*)
list(SORT pictures)
integrity_table("${pictures}" FLURB_PICTURE_INTEGRITY pictures_version)
configure_file(${TEMPLATES}/index.html ${SITE}/index.html @ONLY)
# What the page preloads carries the hash its request will ask for, so that the request takes the
# preloaded answer and nothing is fetched twice.
file(READ ${SITE}/index.html page)
string(REGEX MATCHALL "<link rel=\"preload\" href=\"[^\"]+\"" preloads "${page}")
foreach(preload IN LISTS preloads)
  string(REGEX REPLACE ".*href=\"([^\"]+)\"" "\\1" path "${preload}")
  integrity_of(${SITE}/${path} integrity)
  string(REPLACE "${preload}" "${preload} integrity=\"${integrity}\"" page "${page}")
endforeach()
file(WRITE ${SITE}/index.html "${page}")

# The worker keeps every file but the renderings, which it keeps a scale at a time as the page
# uses them; it knows their hashes all the same.
list(APPEND loaded start.js index.html)
list(SORT loaded)
integrity_table("${loaded}" FLURB_SITE_INTEGRITY FLURB_STORE_VERSION)
set(FLURB_STORE_NAME "site-${FLURB_STORE_VERSION}")
configure_file(${TEMPLATES}/service-worker.js ${SITE}/service-worker.js @ONLY)
