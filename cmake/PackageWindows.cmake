# The Windows install and its setup program, Kelvane-<version>-setup.exe, made with NSIS (makensis).
#
# `cmake --install` of the component "program" lays out the installed folder: kelvane.exe, language.json
# beside it (the program reads it from its own folder), the Qt libraries and plugins and the compiler's
# runtime libraries. The setup program carries exactly that folder; its uninstaller deletes exactly those
# files, so that nothing the user put there, and never the user's data under %APPDATA%, goes with them.
include(DeployWindowsQt)

install(TARGETS kelvane RUNTIME DESTINATION . COMPONENT program)
kelvane_windows_runtime_libraries(libraries)
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/language.json ${libraries} DESTINATION . COMPONENT program)
foreach(plugin ${KELVANE_WINDOWS_QT_PLUGINS})
    get_filename_component(subfolder ${plugin} DIRECTORY)
    install(FILES ${QT6_INSTALL_PREFIX}/plugins/${plugin} DESTINATION ${subfolder} COMPONENT program)
endforeach()

set(KELVANE_WINDOWS_INSTALLER ${CMAKE_BINARY_DIR}/Kelvane-${PROJECT_VERSION}-setup.exe)
find_program(KELVANE_MAKENSIS NAMES makensis)
if(NOT KELVANE_MAKENSIS)
    message(STATUS "makensis not found (Debian: nsis): the setup program is not built")
    return()
endif()

# The program's own names come from WindowsResources.cmake: the publisher is the vendor level of the data
# folder, and the single-instance lock tells the installer whether Kelvane runs.

set(package_dir ${CMAKE_BINARY_DIR}/package)
set(KELVANE_INSTALLER_FILES ${package_dir}/files.nsh)
configure_file(${CMAKE_CURRENT_LIST_DIR}/Kelvane.nsi.in ${package_dir}/Kelvane.nsi @ONLY)
add_custom_command(OUTPUT ${KELVANE_WINDOWS_INSTALLER}
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DSTAGE=${package_dir}/stage
            -DFILE_LIST=${KELVANE_INSTALLER_FILES} -DMAKENSIS=${KELVANE_MAKENSIS} -DSCRIPT=${package_dir}/Kelvane.nsi
            -DSTRIP=${CMAKE_STRIP}
            -P ${CMAKE_CURRENT_LIST_DIR}/MakeWindowsInstaller.cmake
    DEPENDS kelvane ${package_dir}/Kelvane.nsi ${CMAKE_CURRENT_LIST_DIR}/KelvaneAutostart.nsh
            ${CMAKE_CURRENT_LIST_DIR}/MakeWindowsInstaller.cmake
            ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/language.json
            ${KELVANE_APP_ICON} ${KELVANE_WIZARD_BITMAP} ${KELVANE_HEADER_BITMAP}
    COMMENT "Making ${KELVANE_WINDOWS_INSTALLER}"
    VERBATIM)
add_custom_target(kelvane_installer ALL DEPENDS ${KELVANE_WINDOWS_INSTALLER})
