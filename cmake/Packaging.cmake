# The Debian package, `cmake --build build --target deb`: the portable program folder under /opt/versalia,
# the launcher /usr/bin/versalia (it runs the program from the user's own program folder), the menu entry and
# the application icons. CPack packs a tree staged here, so the developer's `cmake --install` stays a plain
# program folder.
include(${CMAKE_CURRENT_LIST_DIR}/Icons.cmake)
set(deb_root ${CMAKE_BINARY_DIR}/deb-root)
set(hicolor ${deb_root}/usr/share/icons/hicolor)
set(icon_steps)
set(icon_pngs)
foreach(size IN LISTS VERSALIA_ICON_SIZES)
    list(APPEND icon_steps
        COMMAND ${CMAKE_COMMAND} -E make_directory ${hicolor}/${size}x${size}/apps
        COMMAND ${CMAKE_COMMAND} -E copy ${VERSALIA_ICON_PNG_${size}} ${hicolor}/${size}x${size}/apps/versalia.png)
    list(APPEND icon_pngs ${VERSALIA_ICON_PNG_${size}})
endforeach()
add_custom_target(deb
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${deb_root}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --strip --prefix ${deb_root}/opt/versalia
    COMMAND ${CMAKE_COMMAND} -E make_directory ${deb_root}/usr/bin ${deb_root}/usr/share/applications
            ${hicolor}/scalable/apps
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/assets/linux/versalia ${deb_root}/usr/bin/versalia
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/assets/linux/versalia.desktop
            ${deb_root}/usr/share/applications/versalia.desktop
    COMMAND ${CMAKE_COMMAND} -E copy ${VERSALIA_ICON_SVG} ${hicolor}/scalable/apps/versalia.svg
    ${icon_steps}
    COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
    DEPENDS Versalia program_files ${icon_pngs}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Pacchetto Debian in dist/"
    VERBATIM)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME versalia)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/dist)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bollettini TD 674, anagrafica dei richiedenti e scadenzario")
set(CPACK_PACKAGE_DESCRIPTION "Compilazione, archiviazione e stampa dei bollettini postali TD 674, anagrafica dei \
richiedenti e scadenzario per gli uffici che assistono i cittadini stranieri nella richiesta del permesso di \
soggiorno elettronico.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Versalia")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the executable links (Qt included) come from dpkg-shlibdeps; the rest is loaded at run time:
# Qt's Italian texts (without them the message boxes say OK and Cancel), the media backend's GStreamer
# plugins and an audio output for the warning chime, the fonts that stand in for Tahoma and Verdana.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, \
gstreamer1.0-pulseaudio | gstreamer1.0-pipewire | gstreamer1.0-alsa, fonts-liberation2, fonts-dejavu-core")
set(CPACK_INSTALL_CMAKE_PROJECTS "")
set(CPACK_INSTALLED_DIRECTORIES "${deb_root};.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/")
include(CPack)
