# Puts beside a Windows program what it needs to run from its folder as it is: the Qt libraries, the
# plugins it loads (the Windows platform, the native style, the Schannel TLS backend, icon formats) and
# the compiler's runtime libraries that Qt's own libraries use.
function(kelvane_deploy_windows_qt target)
    set(qt ${QT6_INSTALL_PREFIX})
    set(folder $<TARGET_FILE_DIR:${target}>)
    set(files)
    foreach(module Core Gui Widgets Network)
        list(APPEND files ${qt}/bin/Qt6${module}.dll)
    endforeach()
    foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        list(APPEND files ${path})
    endforeach()
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${files} ${folder}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/platforms ${folder}/styles ${folder}/tls
                ${folder}/imageformats
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt}/plugins/platforms/qwindows.dll ${folder}/platforms
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt}/plugins/styles/qwindowsvistastyle.dll ${folder}/styles
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt}/plugins/tls/qschannelbackend.dll
                ${qt}/plugins/tls/qcertonlybackend.dll ${folder}/tls
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt}/plugins/imageformats/qico.dll ${folder}/imageformats
        VERBATIM)
endfunction()
