# What makes kelvane.exe look like a Windows program of its own: an icon group (Explorer, the Start menu,
# a pinned taskbar button, "Apps & features"), the version information of its file properties, and a
# manifest. The icon and the setup program's pictures are drawn at build time from the program's artwork
# by a small tool built with the build machine's own compiler: no picture is kept as a binary file.
#
# Sets, for the setup program and the tests: KELVANE_DataFolderVendor and KELVANE_InstanceLockName (read
# from the program's source, so that the resources and the installer cannot drift from it),
# KELVANE_FILE_VERSION, KELVANE_APP_ICON, KELVANE_WIZARD_BITMAP and KELVANE_HEADER_BITMAP.

file(READ ${PROJECT_SOURCE_DIR}/src/common/AppIdentity.h identity)
foreach(name ApplicationTitle DataFolderVendor InstanceLockName)
    if(NOT identity MATCHES "${name} = \"([^\"]+)\"")
        message(FATAL_ERROR "No ${name} in src/common/AppIdentity.h")
    endif()
    set(KELVANE_${name} ${CMAKE_MATCH_1})
endforeach()
# Windows wants four numbers for a file's version; 1.01 reads as 1.1.0.0 there.
math(EXPR version_major "${PROJECT_VERSION_MAJOR}")
math(EXPR version_minor "${PROJECT_VERSION_MINOR}")
set(KELVANE_FILE_VERSION ${version_major}.${version_minor}.0.0)
set(KELVANE_FILE_VERSION_COMMAS ${version_major},${version_minor},0,0)
set(KELVANE_PRODUCT_NAME ${KELVANE_ApplicationTitle})
set(KELVANE_FILE_DESCRIPTION "${KELVANE_ApplicationTitle} screensaver manager")
set(KELVANE_COPYRIGHT "Copyright © ${KELVANE_DataFolderVendor}. All rights reserved.")

# The resource script and the setup script name the generated files by their paths inside quotes, and the
# setup script takes "$" for its variables: a build folder with one of these characters cannot be named.
if(CMAKE_BINARY_DIR MATCHES "[\"$]" OR CMAKE_BINARY_DIR MATCHES "\\\\")
    message(FATAL_ERROR "The Windows build folder's path must not hold \", \\ or $: ${CMAKE_BINARY_DIR}")
endif()

# The drawing tool runs here, during the build: the host's compiler makes it from the artwork's own source.
find_program(KELVANE_HOST_CXX NAMES c++ g++ REQUIRED)
set(artwork_dir ${CMAKE_BINARY_DIR}/artwork)
set(artwork_tool ${artwork_dir}/kelvane_windows_artwork)
set(tool_dir ${PROJECT_SOURCE_DIR}/tools/windows_artwork)
set(tool_sources ${tool_dir}/WindowsArtwork.cpp ${tool_dir}/ArtworkCanvas.cpp ${tool_dir}/WindowsImageFiles.cpp
                 ${PROJECT_SOURCE_DIR}/src/common/AppArtwork.cpp)
set(tool_headers ${tool_dir}/ArtworkCanvas.h ${tool_dir}/WindowsImageFiles.h
                 ${PROJECT_SOURCE_DIR}/src/common/AppArtwork.h)
get_target_property(warnings kelvane_warnings INTERFACE_COMPILE_OPTIONS)
add_custom_command(OUTPUT ${artwork_tool}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${artwork_dir}
    COMMAND ${CMAKE_CXX_COMPILER_LAUNCHER} ${KELVANE_HOST_CXX} -std=c++20 -O2 ${warnings}
            -I${PROJECT_SOURCE_DIR}/src -I${tool_dir} ${tool_sources} -o ${artwork_tool}
    DEPENDS ${tool_sources} ${tool_headers}
    COMMENT "Building the artwork tool for the build machine"
    VERBATIM)

set(KELVANE_APP_ICON ${artwork_dir}/kelvane.ico)
set(KELVANE_WIZARD_BITMAP ${artwork_dir}/wizard.bmp)
set(KELVANE_HEADER_BITMAP ${artwork_dir}/header.bmp)
add_custom_command(OUTPUT ${KELVANE_APP_ICON} ${KELVANE_WIZARD_BITMAP} ${KELVANE_HEADER_BITMAP}
    COMMAND ${artwork_tool} ${artwork_dir}
    DEPENDS ${artwork_tool}
    COMMENT "Drawing the Windows icon and the setup program's pictures"
    VERBATIM)
add_custom_target(kelvane_windows_artwork DEPENDS ${KELVANE_APP_ICON} ${KELVANE_WIZARD_BITMAP} ${KELVANE_HEADER_BITMAP})

set(KELVANE_MANIFEST ${CMAKE_BINARY_DIR}/resources/kelvane.exe.manifest)
set(resource_script ${CMAKE_BINARY_DIR}/resources/kelvane.rc)
configure_file(${PROJECT_SOURCE_DIR}/data/windows/kelvane.exe.manifest.in ${KELVANE_MANIFEST} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/windows/kelvane.rc.in ${resource_script} @ONLY)
target_sources(kelvane PRIVATE ${resource_script})
# windres reads the icon and the manifest itself: a new picture or manifest compiles the script again.
set_source_files_properties(${resource_script} TARGET_DIRECTORY kelvane
    PROPERTIES OBJECT_DEPENDS "${KELVANE_APP_ICON};${KELVANE_MANIFEST}")
add_dependencies(kelvane kelvane_windows_artwork)
