# Cross-builds for 64-bit Windows with mingw-w64 (the posix threads variant,
# which std::thread and std::mutex need): the compilers and where the target's
# headers and libraries are found, nothing more. The windows presets use it,
# Qt's qt.toolchain.cmake chain-loads it for the desktop build, and
# scripts/qt-windows.sh builds Qt for Windows with it. How the test programs
# run under Wine is cmake/Wine.cmake's.

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
