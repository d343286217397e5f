# qrv_add_qt_test(NAME name COMMAND command... [PLATFORM platform]
#                 [ENVIRONMENT VAR=value...] [TIMEOUT seconds])
#
# A test of a Qt program in the environment every GUI test shares, so that it
# gives the same answer on every machine: Qt's platform plugin (offscreen
# unless PLATFORM names another, with its options), the C.UTF-8 locale, and a
# timeout (300 seconds unless TIMEOUT says otherwise). ENVIRONMENT adds to it.
function(qrv_add_qt_test)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;PLATFORM;TIMEOUT" "COMMAND;ENVIRONMENT")
    if(NOT arg_PLATFORM)
        set(arg_PLATFORM offscreen)
    endif()
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 300)
    endif()
    add_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND})
    set(environment QT_QPA_PLATFORM=${arg_PLATFORM} LC_ALL=C.UTF-8 LANG=C.UTF-8 ${arg_ENVIRONMENT})
    set_tests_properties(${arg_NAME} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT ${arg_TIMEOUT})
endfunction()
