# Where `cmake --install` puts the program on Linux, in the freedesktop layout: the executable in bin/,
# the network client it loads on its first request in lib/<architecture>/kelvane/ (found from the
# program's folder), its language file in share/kelvane/ (the program looks there from its own folder),
# the desktop entry, the icon at the theme's sizes and as SVG, the AppStream description, the manual page,
# and the Debian copyright and changelog.
include(GNUInstallDirs)

set(KELVANE_APP_ID example.quillfen.Kelvane)
set(linux_data ${PROJECT_SOURCE_DIR}/data/linux)

install(TARGETS kelvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS kelvane_http LIBRARY DESTINATION ${KELVANE_MODULE_INSTALL_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/src/app/language.json DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvane)
install(FILES ${linux_data}/${KELVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${linux_data}/${KELVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon files are drawn at build time from the artwork the program draws its window icon from.
set(icon_folder ${CMAKE_BINARY_DIR}/icons)
add_custom_command(
    OUTPUT ${icon_folder}/hicolor/scalable/apps/${KELVANE_APP_ID}.svg
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${icon_folder}
    COMMAND kelvane_icon_files ${icon_folder} ${KELVANE_APP_ID}
    DEPENDS kelvane_icon_files
    COMMENT "Drawing the icon files"
    VERBATIM)
# A Debian changelog is kept compressed, without a time stamp in the compressed file.
find_program(KELVANE_GZIP gzip REQUIRED)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/doc/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
    COMMAND sh -c "${KELVANE_GZIP} -9n -c '${linux_data}/changelog' > '${CMAKE_BINARY_DIR}/doc/changelog.gz'"
    DEPENDS ${linux_data}/changelog
    VERBATIM)
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/doc/kelvane.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
    COMMAND sh -c "${KELVANE_GZIP} -9n -c '${linux_data}/kelvane.1' > '${CMAKE_BINARY_DIR}/doc/kelvane.1.gz'"
    DEPENDS ${linux_data}/kelvane.1
    VERBATIM)
add_custom_target(kelvane_install_files ALL
    DEPENDS ${icon_folder}/hicolor/scalable/apps/${KELVANE_APP_ID}.svg ${CMAKE_BINARY_DIR}/doc/changelog.gz
            ${CMAKE_BINARY_DIR}/doc/kelvane.1.gz)
install(DIRECTORY ${icon_folder}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${CMAKE_BINARY_DIR}/doc/kelvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${linux_data}/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvane)
