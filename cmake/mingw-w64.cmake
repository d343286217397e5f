# Cross-builds the Qt-free libraries for 64-bit Windows with mingw-w64 (the posix
# threads variant, which std::thread and std::mutex need) and runs the test
# programs under Wine, so ctest and gtest_discover_tests work unchanged:
#
#   cmake --preset windows && cmake --build --preset windows -j2
#   ctest --preset windows
#
# Wine keeps its Windows folders and registry in a prefix, here inside the
# build folder (or where WINEPREFIX already points at configure time), so a
# build never touches ~/.wine. No display is needed.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QRV_MINGW_TRIPLE x86_64-w64-mingw32)

find_program(CMAKE_C_COMPILER ${QRV_MINGW_TRIPLE}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER ${QRV_MINGW_TRIPLE}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER ${QRV_MINGW_TRIPLE}-windres REQUIRED)
find_program(CMAKE_AR ${QRV_MINGW_TRIPLE}-ar REQUIRED)
find_program(CMAKE_RANLIB ${QRV_MINGW_TRIPLE}-ranlib REQUIRED)

# Headers and libraries come from the mingw-w64 sysroot only; build tools
# (the emulator, code generators) are still looked up on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${QRV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# QRV_QT_WINDOWS, the prefix of a Qt built for Windows by
# scripts/qt-windows.sh, builds the desktop program too: Qt's own
# qt.toolchain.cmake then loads this file (the windows-desktop preset).
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QRV_QT_WINDOWS)
set(QRV_MINGW_RUNTIME /usr/lib/gcc/${QRV_MINGW_TRIPLE}/12-posix)

# The programs must start on a bare Windows: link the GCC runtime, libstdc++
# and winpthread in, so only system DLLs (KERNEL32, msvcrt, ...) are needed.
# Qt's DLLs share the runtime's DLLs, and so must programs built with them,
# which ship with those DLLs beside them.
if(NOT QRV_QT_WINDOWS)
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
    set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
    set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
endif()

# nlohmann_json is header-only, but its host package points the compiler at
# /usr/include, whose glibc headers must not come before mingw-w64's. Offer it
# through a folder that holds only nlohmann/.
# try_compile projects read this file again from a scratch folder; they need
# neither this nor the Wine session below.
get_property(qrv_in_try_compile GLOBAL PROPERTY IN_TRY_COMPILE)
set(QRV_HOST_HEADERS "${CMAKE_BINARY_DIR}/host-headers")
set(nlohmann_json_DIR "${QRV_HOST_HEADERS}/cmake")
if(NOT qrv_in_try_compile AND EXISTS /usr/include/nlohmann AND NOT EXISTS "${nlohmann_json_DIR}/nlohmann_jsonConfig.cmake")
    file(MAKE_DIRECTORY "${QRV_HOST_HEADERS}/include" "${nlohmann_json_DIR}")
    file(CREATE_LINK /usr/include/nlohmann "${QRV_HOST_HEADERS}/include/nlohmann" SYMBOLIC)
    file(COPY_FILE /usr/share/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake
         "${nlohmann_json_DIR}/nlohmann_jsonConfigVersion.cmake")
    file(WRITE "${nlohmann_json_DIR}/nlohmann_jsonConfig.cmake"
         "if(NOT TARGET nlohmann_json::nlohmann_json)\n"
         "    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)\n"
         "    set_target_properties(nlohmann_json::nlohmann_json PROPERTIES\n"
         "        INTERFACE_INCLUDE_DIRECTORIES \"${QRV_HOST_HEADERS}/include\")\n"
         "endif()\n")
endif()

# Debian's /usr/bin/wine wants the 32-bit loader and only falls back to
# wine64; call the 64-bit loader directly.
find_program(QRV_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
if(QRV_WINE64)
    if(DEFINED ENV{WINEPREFIX} AND NOT "$ENV{WINEPREFIX}" STREQUAL "")
        set(QRV_WINEPREFIX "$ENV{WINEPREFIX}" CACHE PATH "Wine prefix the test programs run in")
    else()
        set(QRV_WINEPREFIX "${CMAKE_BINARY_DIR}/wine-prefix" CACHE PATH "Wine prefix the test programs run in")
    endif()
    # mscoree and mshtml off: Wine would otherwise look for Mono and Gecko,
    # which console test programs never use.
    set(CMAKE_CROSSCOMPILING_EMULATOR
        /usr/bin/env "WINEPREFIX=${QRV_WINEPREFIX}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml="
        "${QRV_WINE64}")
    if(QRV_QT_WINDOWS AND NOT qrv_in_try_compile)
        # Programs built with Qt find its DLLs and the runtime's through
        # WINEPATH. Wine hands a program no QT_* variable but turns WINEQT_*
        # into QT_*: the tests' QT_* settings are passed on that way. Qt
        # Test's output goes to standard error, where ctest reads it, and
        # the offscreen platform finds the Thai faces of fonts-thai-tlwg.
        string(REPLACE "/" "\\" qrv_wine_path
               "Z:${QRV_QT_WINDOWS}/bin;Z:${QRV_MINGW_RUNTIME};Z:/usr/${QRV_MINGW_TRIPLE}/lib")
        file(WRITE "${CMAKE_BINARY_DIR}/wine-run.sh"
             "#!/bin/sh\n"
             "for setting in $(env | grep -o '^QT_[A-Z_]*'); do\n"
             "    export \"WINE$setting=$(printenv \"$setting\")\"\n"
             "done\n"
             "export WINEPREFIX='${QRV_WINEPREFIX}' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='\n"
             "export WINEPATH='${qrv_wine_path}' WINEQT_FORCE_STDERR_LOGGING=1\n"
             "export WINEQT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/tlwg\n"
             "exec '${QRV_WINE64}' \"$@\"\n")
        file(CHMOD "${CMAKE_BINARY_DIR}/wine-run.sh" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
             GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
        set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run.sh")
    endif()
    # Ask test programs for their tests when ctest starts, inside the Wine
    # session below, rather than after each link, where Wine's first start
    # can pass gtest_discover_tests' five-second limit and stall the build.
    set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
    # ctest starts the Wine session before it asks the test programs for their
    # tests and ends it afterwards (see wine-session.sh for why). The first
    # start also makes the prefix, which takes some seconds.
    if(NOT qrv_in_try_compile)
        set(qrv_wine_session /usr/bin/env "WINEPREFIX=${QRV_WINEPREFIX}" "${CMAKE_CURRENT_LIST_DIR}/wine-session.sh")
        list(JOIN qrv_wine_session " " qrv_wine_session)
        file(WRITE "${CMAKE_BINARY_DIR}/CTestCustom.cmake"
             "set(CTEST_CUSTOM_PRE_TEST \"${qrv_wine_session} start\")\n"
             "set(CTEST_CUSTOM_POST_TEST \"${qrv_wine_session} stop\")\n")
    endif()
else()
    message(WARNING "wine64 not found: the Windows test programs build but ctest cannot run them")
endif()
