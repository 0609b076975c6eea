# The letter pictures rendered afresh from their drawings for screens that scale, at the scales
# desktops offer. Built, never stored: the drawings and the artwork tool make them.
# Scales in hundredths, as the renderings' folders are named.
set(FLURB_RENDERING_PERCENTS 125 150 175 200 250 300)

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
        DEPENDS ${tool} ${drawing}
        COMMENT "Rendering letter picture ${letter} at scale ${whole}.${hundredths}"
        VERBATIM)
      list(APPEND renderings ${rendering})
    endforeach()
  endforeach()
  set(${out_files} ${renderings} PARENT_SCOPE)
endfunction()
