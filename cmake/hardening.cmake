# The hardening Debian gives its own programs, on every Linux build: stack protector, stack clash
# protection, control-flow protection, fortified libc calls, a position-independent program, and
# relocations made read-only after an immediate binding of every symbol.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

include(CheckCXXCompilerFlag)
include(CheckPIESupported)

foreach(flag IN ITEMS -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "FLURB_HAS${flag}" supported)
  check_cxx_compiler_flag(${flag} ${supported})
  if(${supported})
    add_compile_options(${flag})
  endif()
endforeach()

# The fortified calls need the optimiser, so a Debug build (-O0) goes without; a distribution that
# sets the level itself in its flags keeps its own.
if(NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE")
  add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
endif()

check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_link_options(LINKER:-z,relro,-z,now)
