# Puts beside a Windows program what it needs to run from its folder as it is: the Qt libraries, the
# plugins it loads (the Windows platform, the native style, the Schannel TLS backend, icon formats) and
# the compiler's runtime libraries that Qt's own libraries use. The installer ships the same files
# (PackageWindows.cmake), so both take them from here.

# The plugins, as paths below Qt's plugin folder; each keeps its folder beside the program.
set(KELVANE_WINDOWS_QT_PLUGINS
    platforms/qwindows.dll
    styles/qwindowsvistastyle.dll
    tls/qschannelbackend.dll
    tls/qcertonlybackend.dll
    imageformats/qico.dll)

# Sets <out_var> to the full paths of the libraries that go straight beside the program.
function(kelvane_windows_runtime_libraries out_var)
    set(files)
    foreach(module Core Gui Widgets Network)
        list(APPEND files ${QT6_INSTALL_PREFIX}/bin/Qt6${module}.dll)
    endforeach()
    foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        list(APPEND files ${path})
    endforeach()
    set(${out_var} ${files} PARENT_SCOPE)
endfunction()

function(kelvane_deploy_windows_qt target)
    set(folder $<TARGET_FILE_DIR:${target}>)
    kelvane_windows_runtime_libraries(files)
    set(commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${files} ${folder})
    foreach(plugin ${KELVANE_WINDOWS_QT_PLUGINS})
        get_filename_component(subfolder ${plugin} DIRECTORY)
        list(APPEND commands
             COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/${subfolder}
             COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QT6_INSTALL_PREFIX}/plugins/${plugin} ${folder}/${subfolder})
    endforeach()
    add_custom_command(TARGET ${target} POST_BUILD ${commands} VERBATIM)
endfunction()
