# The Windows zip and installer, both from one `cmake --install` tree:
#
#   cpack --preset windows-desktop
#       package/qrv-edit-VERSION-win64.zip        (with the portable marker)
#       package/qrv-edit-VERSION-win64-setup.exe  (makensis, dist/qrv-edit.nsi)
#       package/qrv-edit-VERSION-win64.msi        (wixl, dist/qrv-edit.wxs)
#       package/SHA256SUMS
#
# They hold the two programs, the Qt and runtime DLLs they load and nothing
# more, the manuals as text and the licences. CPack's own NSIS template
# installs for all users only; dist/qrv-edit.nsi installs for the current
# user, without administrator rights. Included from dist/ on Windows builds
# of the desktop program.

install(TARGETS qrv-edit qrv-check RUNTIME DESTINATION .)
# The platform plugin and the native look; no image format plugin, as the
# program reads only PNG (its icon), which Qt Gui itself decodes.
set(qrv_plugins ${QRV_QT_WINDOWS}/plugins/platforms/qwindows.dll
    ${QRV_QT_WINDOWS}/plugins/styles/qwindowsvistastyle.dll)
install(FILES ${QRV_QT_WINDOWS}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${QRV_QT_WINDOWS}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)

# The DLLs those import, and theirs in turn, from Qt and the compiler's
# runtime, wherever this compiler keeps it; any other DLL is Windows' own.
set(qrv_dll_folders ${QRV_QT_WINDOWS}/bin)
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    get_filename_component(folder ${path} DIRECTORY)
    list(APPEND qrv_dll_folders ${folder})
endforeach()
find_program(QRV_OBJDUMP ${QRV_MINGW_TRIPLE}-objdump REQUIRED)
find_program(QRV_STRIP ${QRV_MINGW_TRIPLE}-strip REQUIRED)
install(CODE "
    set(QRV_IMPORTERS \"$<TARGET_FILE:qrv-edit>;$<TARGET_FILE:qrv-check>;${qrv_plugins}\")
    set(QRV_DLL_FOLDERS \"${qrv_dll_folders}\")
    set(QRV_OBJDUMP \"${QRV_OBJDUMP}\")
    set(QRV_WORK \"${CMAKE_CURRENT_BINARY_DIR}/runtime-dlls\")
    include(\"${CMAKE_CURRENT_LIST_DIR}/WindowsRuntime.cmake\")")

# Qt's paths are otherwise relative to the folder above the programs (Qt's
# own bin/ layout), where a stray plugins folder would be loaded.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/qt.conf "[Paths]\r\nPrefix = .\r\nPlugins = .\r\n")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qt.conf DESTINATION .)

# The manuals and the licence as text with CR LF, which every Windows editor
# shows as lines.
find_program(QRV_GROFF groff REQUIRED)
set(qrv_manuals)
foreach(page qrv-edit qrv-check)
    add_custom_command(OUTPUT ${page}.txt
        COMMAND ${CMAKE_COMMAND} -DGROFF=${QRV_GROFF} -DPAGE=${CMAKE_CURRENT_BINARY_DIR}/${page}.1
                -DTEXT=${CMAKE_CURRENT_BINARY_DIR}/${page}.txt -P ${CMAKE_CURRENT_LIST_DIR}/WindowsText.cmake
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${page}.1 ${CMAKE_CURRENT_LIST_DIR}/WindowsText.cmake
        COMMENT "Rendering the manual page ${page}.1 as text")
    list(APPEND qrv_manuals ${CMAKE_CURRENT_BINARY_DIR}/${page}.txt)
endforeach()
add_custom_target(windows_manuals ALL DEPENDS ${qrv_manuals})
install(FILES ${qrv_manuals} DESTINATION .)

# The licence text of the Debian copyright file, without its field syntax.
file(STRINGS ${PROJECT_SOURCE_DIR}/dist/copyright qrv_copyright REGEX "^Copyright: ")
list(GET qrv_copyright 0 qrv_copyright)
string(REPLACE "Copyright: " "Copyright " qrv_licence "QRV Edit Data ${PROJECT_VERSION}\r\n\r\n${qrv_copyright}\r\n\r\n")
file(STRINGS ${PROJECT_SOURCE_DIR}/dist/copyright qrv_licence_lines REGEX "^ ")
foreach(line IN LISTS qrv_licence_lines)
    string(REGEX REPLACE "^ " "" line "${line}")
    if(line STREQUAL ".")
        set(line "")
    endif()
    string(APPEND qrv_licence "${line}\r\n")
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt "${qrv_licence}")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt DESTINATION .)
# libxlsxwriter is linked in; its licence asks for its notice beside the program.
install(FILES ${QRV_XLSXWRITER_WINDOWS}/License.txt DESTINATION . RENAME LICENSE-libxlsxwriter.txt)
# SQLite (public domain) and Nettle (LGPL 3) are linked in for the journal; their notices go beside them.
install(FILES ${QRV_JOURNAL_WINDOWS}/LICENSE-sqlite.txt ${QRV_JOURNAL_WINDOWS}/LICENSE-nettle.txt DESTINATION .)

# CPack installs into its staging folder; cmake/WindowsCPack.cmake packs it.
set(CPACK_GENERATOR External)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/WindowsCPack.cmake)
set(CPACK_PACKAGE_NAME qrv-edit)
set(CPACK_PACKAGE_VENDOR "${QRV_PUBLISHER}")
set(CPACK_PACKAGE_FILE_NAME qrv-edit-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_QRV_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_QRV_STRIP ${QRV_STRIP})
find_program(QRV_MAKENSIS makensis REQUIRED)
find_program(QRV_WIXL wixl REQUIRED)
find_program(QRV_WIXL_HEAT wixl-heat REQUIRED)
# Needed only where a certificate is given.
find_program(QRV_OSSLSIGNCODE osslsigncode)
set(CPACK_QRV_WIXL ${QRV_WIXL})
set(CPACK_QRV_WIXL_HEAT ${QRV_WIXL_HEAT})
set(CPACK_QRV_OSSLSIGNCODE ${QRV_OSSLSIGNCODE})
set(CPACK_QRV_HOMEPAGE https://github.com/qrvedit/qrv-edit)
find_program(QRV_ZIP zip REQUIRED)
set(CPACK_QRV_ZIP ${QRV_ZIP})
set(CPACK_QRV_MAKENSIS ${QRV_MAKENSIS})
set(CPACK_QRV_ICON ${PROJECT_BINARY_DIR}/ui/icons/qrv-edit.ico)
include(CPack)
