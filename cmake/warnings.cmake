# The compiler's warnings, always shown; as errors only where developers ask for them (the presets
# and CI), so that a user's or a distribution's build never stops on a newer compiler's warning.
option(FLURB_WARNINGS_AS_ERRORS "Treat compiler warnings as errors (the presets turn this on)" OFF)

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion)
if(FLURB_WARNINGS_AS_ERRORS)
  add_compile_options(-Werror)
  # GCC 12 at -O3 reports overlapping copies inside std::basic_string's own inlined code
  # (char_traits.h) where there are none: GCC bug 105329, fixed in GCC 13. It stays a warning, for
  # that compiler and optimisation level only.
  add_compile_options(
    "$<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>,$<CONFIG:Release>>:-Wno-error=restrict>")
endif()
