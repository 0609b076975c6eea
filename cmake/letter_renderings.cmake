# The letter pictures rendered afresh from their drawings for screens that scale, at the scales
# desktops offer. Built, never stored: the drawings and the artwork tool make them.
# Scales in hundredths, as the renderings' folders are named (platform/rendering_scale.h lists the
# same for the program).
set(FLURB_RENDERING_PERCENTS 125 150 175 200 250 300)

# The cross builds (Windows, the browser) cannot run the tools they build: they build the artwork
# tool for this machine alongside, unless FLURB_LETTER_ART names one already built.
set(FLURB_LETTER_ART_TARGET "")
if(CMAKE_CROSSCOMPILING)
  set(FLURB_LETTER_ART "" CACHE FILEPATH "An artwork tool, flurb-letter-art, built for this machine")
  if(NOT FLURB_LETTER_ART)
    set(host_build ${CMAKE_BINARY_DIR}/host-letter-art)
    if(NOT TARGET flurb_host_letter_art)
      include(ExternalProject)
      # No toolchain file: this machine's own compiler builds it. Built every time, so that a
      # change to the tool reaches the renderings; a build with nothing to do takes no time.
      ExternalProject_Add(flurb_host_letter_art
        SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/letter-pictures
        BINARY_DIR ${host_build}
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
        INSTALL_COMMAND ""
        BUILD_ALWAYS TRUE
        BUILD_BYPRODUCTS ${host_build}/flurb-letter-art)
    endif()
    set(FLURB_LETTER_ART ${host_build}/flurb-letter-art)
    set(FLURB_LETTER_ART_TARGET flurb_host_letter_art)
  endif()
endif()

# Adds the commands that render every letter at every scale with `tool` into
# `folder`/<percent>/<letter>.dib, and sets `out_files` to the files they make.
function(flurb_render_letter_pictures tool folder out_files)
  file(STRINGS ${PROJECT_SOURCE_DIR}/resources/art/letters.txt letter_sources REGEX "^[A-Z] ")
  set(renderings)
  foreach(entry IN LISTS letter_sources)
    string(REGEX MATCH "^([A-Z]) (.+)$" matched "${entry}")
    set(letter ${CMAKE_MATCH_1})
    set(drawing ${PROJECT_SOURCE_DIR}/resources/art/${CMAKE_MATCH_2})
    if(letter MATCHES "^[IJ]$")
      set(width 405)
    else()
      set(width 450)
    endif()
    foreach(percent IN LISTS FLURB_RENDERING_PERCENTS)
      math(EXPR whole "${percent} / 100")
      math(EXPR hundredths "${percent} % 100 + 100")
      string(SUBSTRING ${hundredths} 1 2 hundredths)
      set(rendering ${folder}/${percent}/${letter}.dib)
      add_custom_command(
        OUTPUT ${rendering}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/${percent}
        COMMAND ${tool} picture ${drawing} ${width} ${rendering} ${whole}.${hundredths}
        DEPENDS ${tool} ${FLURB_LETTER_ART_TARGET} ${drawing}
        COMMENT "Rendering letter picture ${letter} at scale ${whole}.${hundredths}"
        VERBATIM)
      list(APPEND renderings ${rendering})
    endforeach()
  endforeach()
  set(${out_files} ${renderings} PARENT_SCOPE)
endfunction()

# Adds the commands that pack each rendering into `folder`/<percent>/<letter>.<suffix>, the letter
# in lower case, and sets `out_files` to the packed files: with gzip (.dib.gz) or, given WEBP, as
# lossless WebP (.webp), which a browser unpacks itself. Packed without a name or time, the same
# renderings give the same bytes.
function(flurb_pack_letter_renderings renderings folder out_files)
  cmake_parse_arguments(PARSE_ARGV 3 pack "WEBP" "" "")
  if(pack_WEBP)
    find_program(CWEBP cwebp REQUIRED NO_CMAKE_FIND_ROOT_PATH)
    find_program(PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    set(suffix webp)
    set(packer ${PYTHON3} ${PROJECT_SOURCE_DIR}/app/web/pack_picture.py ${CWEBP})
    set(packer_depends ${PROJECT_SOURCE_DIR}/app/web/pack_picture.py)
  else()
    find_program(GZIP gzip REQUIRED NO_CMAKE_FIND_ROOT_PATH)
    set(suffix dib.gz)
  endif()
  set(packed_files)
  foreach(rendering IN LISTS renderings)
    string(REGEX MATCH "([0-9]+)/([A-Z])\\.dib$" matched ${rendering})
    string(TOLOWER ${CMAKE_MATCH_2} letter)
    set(packed ${folder}/${CMAKE_MATCH_1}/${letter}.${suffix})
    if(pack_WEBP)
      set(command ${packer} ${rendering} ${packed})
    else()
      set(command ${GZIP} -9 -n -c ${rendering} > ${packed})
    endif()
    add_custom_command(OUTPUT ${packed}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/${CMAKE_MATCH_1}
                       COMMAND ${command}
                       DEPENDS ${rendering} ${packer_depends})
    list(APPEND packed_files ${packed})
  endforeach()
  set(${out_files} ${packed_files} PARENT_SCOPE)
endfunction()
