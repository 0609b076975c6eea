# The browser program, built by emscripten (see the `web` preset): the toolkit-free core with the
# canvas backend, the page, the pictures and fonts as files of a static site in build/web/site,
# and the tests that run it in Chromium, Firefox and WebKitGTK.
set(FLURB_SITE_DIR ${CMAKE_BINARY_DIR}/site)
# Run-time errors are exceptions, caught at the end of each handler.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

add_subdirectory(platform)
add_subdirectory(cards)
add_subdirectory(app)

if(BUILD_TESTING)
  add_subdirectory(tests/web)
endif()
