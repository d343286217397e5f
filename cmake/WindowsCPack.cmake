# CPack's package script for Windows (cmake/WindowsPackage.cmake), run once
# CPack has installed the files into its staging folder, which is named as
# the packages are: the programs and DLLs are stripped of their debugging
# information (a third of Qt's size and nine tenths of libstdc++'s), the two
# programs are signed where a certificate is given, every file is dated, the
# folder is zipped with the portable marker, makensis makes the per-user
# installer of dist/qrv-edit.nsi and wixl the per-machine MSI of
# dist/qrv-edit.wxs from the same files (without the marker), those two are
# signed in turn, and SHA256SUMS lists all three.
#
# Signing takes a PKCS#12 file (QRV_SIGN_PKCS12, its password in
# QRV_SIGN_PASSWORD) and an RFC 3161 time stamp server where
# QRV_SIGN_TIMESTAMP_URL names one; see docs/windows.md.
#
# The same unsigned build gives the same zip and installer: strip's time
# stamp in the programs and DLLs and the files' dates are SOURCE_DATE_EPOCH,
# by default the last commit's time. (CPack's own ZIP generator records each
# file's change time as well, so its zip differs on every run.)
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

# Signs `file` in place with SHA-256 and, where a server is named, an RFC
# 3161 time stamp.
function(qrv_sign file)
    if("$ENV{QRV_SIGN_PKCS12}" STREQUAL "")
        return()
    endif()
    if(NOT CPACK_QRV_OSSLSIGNCODE)
        message(FATAL_ERROR "QRV_SIGN_PKCS12 is set, but osslsigncode is not installed")
    endif()
    set(options -pkcs12 $ENV{QRV_SIGN_PKCS12} -h sha256 -n "QRV Edit Data" -i ${CPACK_QRV_HOMEPAGE})
    # The password goes through a file only its owner reads, made so before
    # the password is in it: on the command line, ps would show it.
    set(password ${CPACK_TOPLEVEL_DIRECTORY}/sign-password)
    if(DEFINED ENV{QRV_SIGN_PASSWORD})
        file(REMOVE ${password})
        file(TOUCH ${password})
        file(CHMOD ${password} PERMISSIONS OWNER_READ OWNER_WRITE)
        file(APPEND ${password} "$ENV{QRV_SIGN_PASSWORD}")
        list(APPEND options -readpass ${password})
    endif()
    if(NOT "$ENV{QRV_SIGN_TIMESTAMP_URL}" STREQUAL "")
        list(APPEND options -ts $ENV{QRV_SIGN_TIMESTAMP_URL})
    endif()
    file(REMOVE ${file}.signed)
    execute_process(COMMAND ${CPACK_QRV_OSSLSIGNCODE} sign ${options} -in ${file} -out ${file}.signed
                    OUTPUT_QUIET RESULT_VARIABLE status)
    file(REMOVE ${password})
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "osslsigncode could not sign ${file}")
    endif()
    file(RENAME ${file}.signed ${file})
endfunction()
if("$ENV{QRV_SIGN_PKCS12}" STREQUAL "")
    message(STATUS "QRV_SIGN_PKCS12 is not set: the programs, the installer and the MSI are not signed")
endif()

file(GLOB_RECURSE binaries ${stage}/*.exe ${stage}/*.dll)
foreach(binary IN LISTS binaries)
    execute_process(COMMAND ${CPACK_QRV_STRIP} ${binary} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
qrv_sign(${stage}/qrv-edit.exe)
qrv_sign(${stage}/qrv-check.exe)

# The zip alone has the marker of portable mode: unpacked anywhere, the
# program keeps its settings and letters beside itself.
set(marker ${stage}/portable)
file(READ ${CPACK_QRV_SOURCE_DIR}/dist/portable.txt marker_text)
string(REPLACE "\n" "\r\n" marker_text "${marker_text}")
file(WRITE ${marker} "${marker_text}")
execute_process(COMMAND find ${stage} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} + COMMAND_ERROR_IS_FATAL ANY)

file(GLOB_RECURSE zipped LIST_DIRECTORIES false RELATIVE ${CPACK_TOPLEVEL_DIRECTORY} ${stage}/*)
list(SORT zipped)
set(zip ${CPACK_TOPLEVEL_DIRECTORY}/${name}.zip)
file(REMOVE ${zip})
execute_process(COMMAND ${CPACK_QRV_ZIP} -X -q ${zip} ${zipped} WORKING_DIRECTORY ${CPACK_TOPLEVEL_DIRECTORY}
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${marker})

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
qrv_sign(${installer})

# wixl-heat lists the staged files as components of the MSI, one each.
list(TRANSFORM files PREPEND ${stage}/ OUTPUT_VARIABLE staged)
string(REPLACE ";" "\n" staged "${staged}")
file(WRITE ${CPACK_TOPLEVEL_DIRECTORY}/staged.txt "${staged}\n")
execute_process(COMMAND ${CPACK_QRV_WIXL_HEAT} --prefix ${stage}/ --directory-ref INSTALLDIR
        --component-group ProgramFiles --var var.Stage --win64
    INPUT_FILE ${CPACK_TOPLEVEL_DIRECTORY}/staged.txt OUTPUT_FILE ${CPACK_TOPLEVEL_DIRECTORY}/files.wxs
    COMMAND_ERROR_IS_FATAL ANY)
# wixl takes the files' paths relative to the folder it runs in.
set(msi ${CPACK_TOPLEVEL_DIRECTORY}/${name}.msi)
file(COPY ${CPACK_QRV_ICON} DESTINATION ${CPACK_TOPLEVEL_DIRECTORY})
get_filename_component(icon_name ${CPACK_QRV_ICON} NAME)
execute_process(COMMAND ${CPACK_QRV_WIXL} --arch x64 -D Win64=yes -D Version=${CPACK_PACKAGE_VERSION}
        -D Stage=${name} -D Icon=${icon_name} -o ${msi}
        ${CPACK_QRV_SOURCE_DIR}/dist/qrv-edit.wxs files.wxs
    WORKING_DIRECTORY ${CPACK_TOPLEVEL_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
qrv_sign(${msi})

# What a clerk or IT compares a download with: sha256sum -c, or certutil on
# Windows (docs/windows.md).
set(sums "")
foreach(package ${zip} ${installer} ${msi})
    file(SHA256 ${package} hash)
    get_filename_component(package_name ${package} NAME)
    string(APPEND sums "${hash}  ${package_name}\n")
endforeach()
file(WRITE ${CPACK_TOPLEVEL_DIRECTORY}/SHA256SUMS "${sums}")
# CPack copies them all to CPACK_PACKAGE_DIRECTORY.
set(CPACK_EXTERNAL_BUILT_PACKAGES ${zip} ${installer} ${msi} ${CPACK_TOPLEVEL_DIRECTORY}/SHA256SUMS)
