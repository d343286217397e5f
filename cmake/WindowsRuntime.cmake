# Run by `cmake --install` (cmake/WindowsPackage.cmake sets QRV_IMPORTERS,
# QRV_DLL_FOLDERS, QRV_OBJDUMP and QRV_WORK): installs beside the programs the
# DLLs that QRV_IMPORTERS import, and theirs in turn, found in
# QRV_DLL_FOLDERS, the first folder that has one winning.
#
# CMake looks an imported name up lowercased, as Windows would, but this file
# system tells case apart: each DLL is offered through a link of its name in
# lowercase, and installed under its own name.
set(links ${QRV_WORK}/links)
file(REMOVE_RECURSE ${links})
file(MAKE_DIRECTORY ${links})
foreach(folder IN LISTS QRV_DLL_FOLDERS)
    file(GLOB dlls ${folder}/*.dll)
    foreach(dll IN LISTS dlls)
        get_filename_component(name ${dll} NAME)
        string(TOLOWER ${name} name)
        if(NOT EXISTS ${links}/${name})
            file(CREATE_LINK ${dll} ${links}/${name} SYMBOLIC)
        endif()
    endforeach()
endforeach()

set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${QRV_OBJDUMP})
file(GET_RUNTIME_DEPENDENCIES
    MODULES ${QRV_IMPORTERS}
    DIRECTORIES ${links}
    RESOLVED_DEPENDENCIES_VAR found
    # Windows' own DLLs (KERNEL32, msvcrt, ...), which no folder here holds.
    UNRESOLVED_DEPENDENCIES_VAR system)
foreach(dll IN LISTS found)
    file(REAL_PATH ${dll} dll)
    file(INSTALL ${dll} DESTINATION "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
endforeach()
