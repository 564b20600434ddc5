# The application icon in the pixel sizes desktops ask for, drawn from the square emblem by rsvg-convert
# (librsvg2-bin). Sets VERSALIA_ICON_SVG and, for each size N, the PNG file VERSALIA_ICON_PNG_N.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(VERSALIA_ICON_SVG ${CMAKE_SOURCE_DIR}/assets/icons/versalia.svg)
set(VERSALIA_ICON_SIZES 16 24 32 48 64 128 256)
foreach(size IN LISTS VERSALIA_ICON_SIZES)
    set(VERSALIA_ICON_PNG_${size} ${CMAKE_BINARY_DIR}/icon/versalia-${size}.png)
    add_custom_command(OUTPUT ${VERSALIA_ICON_PNG_${size}}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icon
        COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${VERSALIA_ICON_PNG_${size}} ${VERSALIA_ICON_SVG}
        DEPENDS ${VERSALIA_ICON_SVG}
        COMMENT "versalia-${size}.png")
endforeach()
