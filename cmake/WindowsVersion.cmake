# The Windows version resource of a program, from project(VERSION): the
# same numbers as --version, in the words Explorer and IT's inventory read.
#
#   qrv_add_version_resource(TARGET "File description")
set(QRV_PUBLISHER "The QRV Edit Data developers")
set(QRV_COPYRIGHT "2026 The QRV Edit Data developers (Expat licence)")

function(qrv_add_version_resource target description)
    set(QRV_PROGRAM ${target})
    set(QRV_FILE_DESCRIPTION ${description})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/dist/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()
