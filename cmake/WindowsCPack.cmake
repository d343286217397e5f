# CPack's package script for Windows (cmake/WindowsPackage.cmake), run once
# CPack has installed the files into its staging folder, which is named as
# the packages are: the programs and DLLs are stripped of their debugging
# information (a third of Qt's size and nine tenths of libstdc++'s), every
# file is dated, the folder is zipped, and makensis makes the per-user
# installer of dist/qrv-edit.nsi from the same files.
#
# The same build gives the same zip and installer: strip's time stamp in the
# programs and DLLs and the files' dates are SOURCE_DATE_EPOCH, by default the
# last commit's time. (CPack's own ZIP generator records each file's change
# time as well, so its zip differs on every run.)
set(name ${CPACK_PACKAGE_FILE_NAME})
set(stage ${CPACK_TOPLEVEL_DIRECTORY}/${name})
if(NOT EXISTS ${stage}/qrv-edit.exe)
    message(FATAL_ERROR "no qrv-edit.exe in CPack's staging folder ${stage}")
endif()

if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CPACK_QRV_SOURCE_DIR}
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR epoch STREQUAL "")
        string(TIMESTAMP epoch "%s")
    endif()
    set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()

file(GLOB_RECURSE binaries ${stage}/*.exe ${stage}/*.dll)
foreach(binary IN LISTS binaries)
    execute_process(COMMAND ${CPACK_QRV_STRIP} ${binary} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
execute_process(COMMAND find ${stage} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} + COMMAND_ERROR_IS_FATAL ANY)

file(GLOB_RECURSE zipped LIST_DIRECTORIES false RELATIVE ${CPACK_TOPLEVEL_DIRECTORY} ${stage}/*)
list(SORT zipped)
set(zip ${CPACK_TOPLEVEL_DIRECTORY}/${name}.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CPACK_QRV_ZIP} -X -q ${zip} ${zipped} WORKING_DIRECTORY ${CPACK_TOPLEVEL_DIRECTORY}
                COMMAND_ERROR_IS_FATAL ANY)

# makensis gets the staged files one by one, and the uninstaller removes
# exactly those.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${stage} ${stage}/*)
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${stage} ${stage}/*)
set(folders "")
foreach(entry IN LISTS entries)
    if(IS_DIRECTORY ${stage}/${entry})
        list(APPEND folders ${entry})
    endif()
endforeach()
list(SORT files)
list(SORT folders)
set(install_lines "")
set(uninstall_lines "")
foreach(folder "" ${folders})
    string(REPLACE "/" "\\" windows_folder "${folder}")
    if(folder STREQUAL "")
        string(APPEND install_lines "SetOutPath \"\$INSTDIR\"\n")
    else()
        string(APPEND install_lines "SetOutPath \"\$INSTDIR\\${windows_folder}\"\n")
    endif()
    foreach(file IN LISTS files)
        get_filename_component(file_folder "${file}" DIRECTORY)
        if(file_folder STREQUAL folder)
            string(REPLACE "/" "\\" windows_file "${file}")
            string(APPEND install_lines "File \"${stage}/${file}\"\n")
            string(APPEND uninstall_lines "Delete \"\$INSTDIR\\${windows_file}\"\n")
        endif()
    endforeach()
endforeach()
list(REVERSE folders)
foreach(folder IN LISTS folders)
    string(REPLACE "/" "\\" windows_folder "${folder}")
    string(APPEND uninstall_lines "RMDir \"\$INSTDIR\\${windows_folder}\"\n")
endforeach()
file(WRITE ${CPACK_TOPLEVEL_DIRECTORY}/files.nsh "${install_lines}")
file(WRITE ${CPACK_TOPLEVEL_DIRECTORY}/unfiles.nsh "${uninstall_lines}")

execute_process(COMMAND du -sk ${stage} OUTPUT_VARIABLE size COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "^[0-9]+" size "${size}")
set(installer ${CPACK_TOPLEVEL_DIRECTORY}/${name}-setup.exe)
execute_process(COMMAND ${CPACK_QRV_MAKENSIS} -V2 -NOCD
        -DVERSION=${CPACK_PACKAGE_VERSION} -DSTAGE=${stage}
        -DFILES=${CPACK_TOPLEVEL_DIRECTORY}/files.nsh -DUNFILES=${CPACK_TOPLEVEL_DIRECTORY}/unfiles.nsh
        -DICON=${CPACK_QRV_ICON} -DSIZE_KB=${size} -DOUTFILE=${installer}
        ${CPACK_QRV_SOURCE_DIR}/dist/qrv-edit.nsi
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
# CPack copies both to CPACK_PACKAGE_DIRECTORY.
set(CPACK_EXTERNAL_BUILT_PACKAGES ${zip} ${installer})
