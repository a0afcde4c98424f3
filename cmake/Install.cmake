# Install layout and the Debian package. The program finds its data in ../share/kalimo from
# its own folder (src/app/ShippedData), so bin/ and share/ stay side by side under the prefix.
set(KALIMO_DATA_DESTINATION share/kalimo)
set(KALIMO_DESKTOP_SOURCE ${CMAKE_SOURCE_DIR}/resources/desktop)
set(KALIMO_DESKTOP_BUILD ${CMAKE_BINARY_DIR}/desktop)

install(TARGETS kalimo RUNTIME DESTINATION bin)
install(FILES resources/help/KALIMO.HLP DESTINATION ${KALIMO_DATA_DESTINATION})
install(FILES ${KALIMO_PRESETS} DESTINATION ${KALIMO_DATA_DESTINATION}/presets)

# Menu entry, file types and software-centre page.
install(FILES ${KALIMO_DESKTOP_SOURCE}/${KALIMO_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${KALIMO_DESKTOP_SOURCE}/kalimo-mime.xml DESTINATION share/mime/packages RENAME kalimo.xml)
configure_file(${KALIMO_DESKTOP_SOURCE}/${KALIMO_APP_ID}.metainfo.xml.in
               ${KALIMO_DESKTOP_BUILD}/${KALIMO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${KALIMO_DESKTOP_BUILD}/${KALIMO_APP_ID}.metainfo.xml DESTINATION share/metainfo)

# The icon: the SVG for any size, and PNGs rendered from it for desktops that want bitmaps.
set(KALIMO_ICON_SVG ${KALIMO_DESKTOP_SOURCE}/kalimo.svg)
set(KALIMO_ICON_SIZES 16 22 24 32 48 64 128 256)
add_executable(kalimo_render_icon cmake/RenderIcon.cpp)
target_link_libraries(kalimo_render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(icon_arguments)
set(icon_outputs)
foreach(size ${KALIMO_ICON_SIZES})
    set(png ${KALIMO_DESKTOP_BUILD}/icons/${size}x${size}/kalimo.png)
    list(APPEND icon_arguments ${size} ${png})
    list(APPEND icon_outputs ${png})
    install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(OUTPUT ${icon_outputs}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:kalimo_render_icon> ${KALIMO_ICON_SVG} ${icon_arguments}
    DEPENDS kalimo_render_icon ${KALIMO_ICON_SVG}
    COMMENT "Rendering the program icon"
    VERBATIM)
install(FILES ${KALIMO_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps)

# The manual page, compressed as Debian keeps them.
configure_file(resources/man/kalimo.1.in ${KALIMO_DESKTOP_BUILD}/kalimo.1 @ONLY)
add_custom_command(OUTPUT ${KALIMO_DESKTOP_BUILD}/kalimo.1.gz
    COMMAND gzip -9 -n -f -k ${KALIMO_DESKTOP_BUILD}/kalimo.1
    DEPENDS ${KALIMO_DESKTOP_BUILD}/kalimo.1
    VERBATIM)
install(FILES ${KALIMO_DESKTOP_BUILD}/kalimo.1.gz DESTINATION share/man/man1)

add_custom_target(kalimo_desktop_files ALL DEPENDS ${icon_outputs} ${KALIMO_DESKTOP_BUILD}/kalimo.1.gz)

# The Debian package: scripts/package. Library dependencies come from dpkg-shlibdeps; the
# ones below are plug-ins and data that no library link shows.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalimo)
set(CPACK_PACKAGE_VENDOR "${KALIMO_MAKER_NAME}")
set(CPACK_PACKAGE_CONTACT "${KALIMO_MAKER_NAME} <${KALIMO_MAKER_MAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "création et impression de cartes de visite")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Kalimo compose une carte de visite de trois zones de texte et
d'un logo, l'enregistre dans un fichier .cdv et l'imprime sur une feuille A4 de dix cartes
prédécoupées, avec les marges, séparateurs, cadre et traits de coupe d'un fichier de
paramètres .par.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KALIMO_MAKER_SITE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window system plug-in (xcb, wayland) and the French texts of Qt's standard buttons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
# Printing goes through CUPS; the caches of the menu, the icons and the file types are
# refreshed by these packages' own dpkg triggers, so the package needs no scripts of its own.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups, hicolor-icon-theme, shared-mime-info, desktop-file-utils")
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
