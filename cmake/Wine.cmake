# Runs the Windows test programs under Wine, so that ctest and
# gtest_discover_tests work unchanged on a cross build:
#
#   cmake --workflow --preset windows
#
# Wine keeps its Windows folders and registry in a prefix, here inside the
# build folder (or where WINEPREFIX already points at configure time), so a
# build never touches ~/.wine. No display is needed.

# Debian's /usr/bin/wine wants the 32-bit loader and only falls back to
# wine64; call the 64-bit loader directly.
find_program(QRV_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT QRV_WINE64)
    message(WARNING "wine64 not found: the Windows test programs build but ctest cannot run them")
    return()
endif()

if(DEFINED ENV{WINEPREFIX} AND NOT "$ENV{WINEPREFIX}" STREQUAL "")
    set(QRV_WINEPREFIX "$ENV{WINEPREFIX}" CACHE PATH "Wine prefix the test programs run in")
else()
    set(QRV_WINEPREFIX "${PROJECT_BINARY_DIR}/wine-prefix" CACHE PATH "Wine prefix the test programs run in")
endif()

if(QRV_QT_WINDOWS)
    # Programs built with Qt find its DLLs and the compiler's runtime through
    # WINEPATH. Wine hands a program no QT_* variable but turns WINEQT_* into
    # QT_*: the tests' QT_* settings are passed on that way. Qt Test's output
    # goes to standard error, where ctest reads it, and the offscreen platform
    # finds the Thai faces of fonts-thai-tlwg. A test that runs its programs
    # in a prefix of its own names it in the environment, as QRV_WINEPREFIX.
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                    OUTPUT_VARIABLE qrv_runtime OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    get_filename_component(qrv_runtime "${qrv_runtime}" DIRECTORY)
    string(REPLACE "/" "\\" qrv_wine_path
           "Z:${QRV_QT_WINDOWS}/bin;Z:${qrv_runtime};Z:/usr/${QRV_MINGW_TRIPLE}/lib")
    file(WRITE "${PROJECT_BINARY_DIR}/wine-run.sh"
         "#!/bin/sh\n"
         "for setting in $(env | grep -o '^QT_[A-Z_]*'); do\n"
         "    export \"WINE$setting=$(printenv \"$setting\")\"\n"
         "done\n"
         "export WINEPREFIX=\"\${QRV_WINEPREFIX:-${QRV_WINEPREFIX}}\" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='\n"
         "export WINEPATH='${qrv_wine_path}' WINEQT_FORCE_STDERR_LOGGING=1\n"
         "export WINEQT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/tlwg\n"
         "exec '${QRV_WINE64}' \"$@\"\n")
    file(CHMOD "${PROJECT_BINARY_DIR}/wine-run.sh" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
         GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_BINARY_DIR}/wine-run.sh")
else()
    # mscoree and mshtml off: Wine would otherwise look for Mono and Gecko,
    # which console test programs never use.
    set(CMAKE_CROSSCOMPILING_EMULATOR
        /usr/bin/env "WINEPREFIX=${QRV_WINEPREFIX}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml="
        "${QRV_WINE64}")
endif()

# Ask test programs for their tests when ctest starts, inside the Wine
# session below, rather than after each link, where Wine's first start can
# pass gtest_discover_tests' five-second limit and stall the build.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# ctest starts the Wine session before the tests and ends it afterwards (see
# wine-session.sh for why). The build makes the prefix, which takes some
# seconds, once: ctest asks the test programs for their tests before that
# session starts, and gives each five seconds.
set(qrv_wine_session /usr/bin/env "WINEPREFIX=${QRV_WINEPREFIX}" "${CMAKE_CURRENT_LIST_DIR}/wine-session.sh")
add_custom_command(OUTPUT ${QRV_WINEPREFIX}/system.reg
    COMMAND ${qrv_wine_session} start
    COMMAND ${qrv_wine_session} stop
    COMMENT "Making the Wine prefix the tests run in")
add_custom_target(wine_prefix ALL DEPENDS ${QRV_WINEPREFIX}/system.reg)
list(JOIN qrv_wine_session " " qrv_wine_session)
file(WRITE "${PROJECT_BINARY_DIR}/CTestCustom.cmake"
     "set(CTEST_CUSTOM_PRE_TEST \"${qrv_wine_session} start\")\n"
     "set(CTEST_CUSTOM_POST_TEST \"${qrv_wine_session} stop\")\n")
