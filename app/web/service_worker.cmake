# Writes the site's service worker: the list of the files it keeps on installing, and a store
# name that changes with the contents of every file of the site. Run with -DSITE=folder
# -DTEMPLATE=service-worker.js.in.
file(GLOB_RECURSE paths RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM paths service-worker.js)
list(SORT paths)
set(digests "")
set(quoted "\"./\"")
foreach(path IN LISTS paths)
  file(SHA256 ${SITE}/${path} digest)
  string(APPEND digests "${path} ${digest}\n")
  # The renderings are kept as the page uses them: a screen needs one scale of them.
  if(NOT path MATCHES "^renderings/")
    string(APPEND quoted ", \"${path}\"")
  endif()
endforeach()
string(SHA256 all "${digests}")
string(SUBSTRING ${all} 0 16 short)
set(FLURB_STORE_NAME "site-${short}")
set(FLURB_SITE_FILES "${quoted}")
configure_file(${TEMPLATE} ${SITE}/service-worker.js @ONLY)
