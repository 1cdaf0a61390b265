# The program's icon: packaging/zendro.svg, rendered to PNG at the usual sizes
# at build time. The PNGs go into the icon theme of an installation and,
# compiled in as a Qt resource, onto the window.

set(ZENDRO_ICON_SVG ${CMAKE_CURRENT_LIST_DIR}/zendro.svg)
set(ZENDRO_ICON_SIZES 16 24 32 48 64 128 256)
set(ZENDRO_ICON_THEME_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)

# Renders the PNGs (in the calling folder, beside `target`) and compiles them
# into `target` as :/icon/SIZE.png.
function(zendro_add_icon target)
  set(pngs)
  foreach(size IN LISTS ZENDRO_ICON_SIZES)
    set(folder ${ZENDRO_ICON_THEME_DIR}/${size}x${size}/apps)
    set(png ${folder}/${ZENDRO_APP_ID}.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${ZENDRO_RSVG_CONVERT} --width=${size} --height=${size} --format=png
              --output=${png} ${ZENDRO_ICON_SVG}
      DEPENDS ${ZENDRO_ICON_SVG}
      COMMENT "Rendering the ${size}x${size} icon"
      VERBATIM)
    set_source_files_properties(${png} PROPERTIES QT_RESOURCE_ALIAS ${size}.png)
    list(APPEND pngs ${png})
  endforeach()
  # Resource format 1 stores no file times: the icons rendered in another build
  # give the same program.
  qt_add_resources(${target} zendro_icon PREFIX /icon BASE ${ZENDRO_ICON_THEME_DIR} FILES ${pngs}
                   OPTIONS --format-version 1)
endfunction()
