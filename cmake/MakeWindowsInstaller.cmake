# Run by the build (cmake -P): lays out the installed folder afresh, lists its files for the setup script
# and runs makensis on it.
#   BUILD_DIR  the Windows build        STAGE     where the installed folder is laid out
#   FILE_LIST  the generated list       MAKENSIS  the NSIS compiler    SCRIPT  the setup script
#   STRIP      the cross binutils' strip

# A file left over from an older layout must not reach the installer: start from an empty folder.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE} --component program
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

# A little-endian 32-bit number at the offset of a file.
function(read_uint32 file offset out_var)
    file(READ ${file} bytes OFFSET ${offset} LIMIT 4 HEX)
    string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\3\\2\\1" value "${bytes}")
    math(EXPR value "${value}")
    set(${out_var} ${value} PARENT_SCOPE)
endfunction()

# Debugging information and symbols make the download larger for nothing a user runs; the Qt libraries
# carry some too. strip writes a new link time unless SOURCE_DATE_EPOCH gives one, and the program
# shows its link time as its build date: each binary keeps its own.
file(GLOB_RECURSE binaries ${STAGE}/*.exe ${STAGE}/*.dll)
foreach(binary ${binaries})
    # The PE header starts where the number at 60 says; its link time (TimeDateStamp) is 8 bytes in.
    read_uint32(${binary} 60 pe_header)
    math(EXPR at "${pe_header} + 8")
    read_uint32(${binary} ${at} link_time)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${link_time} ${STRIP} --strip-unneeded ${binary}
                    COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# Two macros: the installing one puts every file in its folder; the uninstalling one deletes those very
# files and then the folders, deepest first, each only when it is empty.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)
set(install "!macro KelvaneInstallFiles\n")
set(remove "!macro KelvaneRemoveFiles\n")
set(folders)
set(current_folder "-")
foreach(file ${files})
    get_filename_component(folder "${file}" DIRECTORY)
    string(REPLACE "/" "\\" windows_file "${file}")
    string(REPLACE "/" "\\" windows_folder "${folder}")
    if(NOT folder STREQUAL current_folder)
        set(current_folder "${folder}")
        if(folder STREQUAL "")
            string(APPEND install "  SetOutPath \"$INSTDIR\"\n")
        else()
            string(APPEND install "  SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
            list(APPEND folders "${windows_folder}")
        endif()
    endif()
    string(APPEND install "  File \"${STAGE}/${file}\"\n")
    string(APPEND remove "  Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders)
list(REVERSE folders)
foreach(folder ${folders})
    string(APPEND remove "  RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
string(APPEND install "!macroend\n")
string(APPEND remove "!macroend\n")
file(WRITE ${FILE_LIST} "; Made by MakeWindowsInstaller.cmake from the installed folder.\n${install}${remove}")

execute_process(COMMAND ${MAKENSIS} -V2 -NOCD ${SCRIPT} COMMAND_ERROR_IS_FATAL ANY)
