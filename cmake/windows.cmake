# The Windows program, cross-built by mingw-w64 (see cmake/mingw-w64-x86_64.cmake and the
# `windows` preset): the toolkit-free core, the Win32 backend, the letter pictures as bitmap
# resources, and tests that run under Wine.
enable_language(RC)

add_compile_definitions(
  # Windows 10 and later: per-monitor resolution (GetDpiForWindow)
  _WIN32_WINNT=0x0A00 WINVER=0x0A00)
# Hardening: the stack protector and fortified calls, whose checks live in libssp (linked in); the
# PE linker's defaults give address randomisation and no-execute data.
add_compile_options(-fstack-protector-strong)
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
link_libraries(ssp)
# Self-contained programs: the C and C++ run-time libraries linked in, no DLL to ship beside.
add_link_options(-static)

# Tests and test tools run under Wine, in a prefix of this build folder.
set(FLURB_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/windows/wine-run.sh
                                  ${FLURB_WINE_PREFIX})

add_subdirectory(platform)
add_subdirectory(cards)
add_subdirectory(resources/windows)
add_subdirectory(app)
add_subdirectory(packaging/windows)

include(CTest)
if(BUILD_TESTING)
  add_subdirectory(tests/windows)
endif()
