# The Debian package qrv-edit_<version>_amd64.deb: `cpack --preset default`
# in the source folder once the default preset is built. Included from dist/
# so that the installed files are known.
set(QRV_MAINTAINER "The QRV Edit Data developers <qrv-edit@users.noreply.github.com>")

# The package's changelog names the version it describes; a version raised in
# project() without a new entry there would ship a changelog that disagrees.
file(STRINGS ${PROJECT_SOURCE_DIR}/dist/changelog QRV_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT QRV_CHANGELOG_TOP MATCHES "^qrv-edit \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "dist/changelog does not begin with an entry for ${PROJECT_VERSION}")
endif()

set(QRV_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/qrv-edit)
add_custom_command(OUTPUT changelog.gz
    COMMAND ${QRV_GZIP} -9n -c ${PROJECT_SOURCE_DIR}/dist/changelog > changelog.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/dist/changelog
    COMMENT "Compressing the package's changelog")
add_custom_target(package_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/dist/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
    DESTINATION ${QRV_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qrv-edit)
set(CPACK_PACKAGE_VENDOR "The QRV Edit Data developers")
set(CPACK_PACKAGE_CONTACT ${QRV_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QRV_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/qrvedit/qrv-edit)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows and the printed letter show Thai in these faces.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-thai-tlwg)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "check payroll credit files before they go to the bank")
set(CPACK_PACKAGE_DESCRIPTION [[
QRV Edit Data checks a payroll credit file, the fixed-width media file a
payroll clerk hands to the bank, in Format 10 M or Format 100 M. One pass
shows the control record with its errors, every rejected detail record with
the reason, the detail totals and a hash total, writes a summary file of the
accepted records, and builds the covering letter to the bank, which can be
saved or printed on A4.

Media files are single-byte Thai text in code page 874.

This package holds the desktop program qrv-edit and the command-line checker
qrv-check, which runs the same checks for scripts.]])

include(CPack)
