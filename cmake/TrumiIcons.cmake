# The program's icon drawn from its SVG at the given sizes, as
# ICONS/SIZE/trumi-editor.png under the build folder; the list of pictures
# is put in OUT.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(TRUMI_ICON_SVG ${CMAKE_SOURCE_DIR}/packaging/icons/trumi-editor.svg)

function(trumi_icon_pngs out)
  set(pngs)
  foreach(size ${ARGN})
    set(png ${CMAKE_BINARY_DIR}/icons/${size}/trumi-editor.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} ${TRUMI_ICON_SVG} -o ${png}
      DEPENDS ${TRUMI_ICON_SVG} VERBATIM)
    list(APPEND pngs ${png})
  endforeach()
  set(${out} ${pngs} PARENT_SCOPE)
endfunction()
