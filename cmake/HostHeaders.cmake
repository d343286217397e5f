# nlohmann_json is header-only, but its host package points the compiler at
# /usr/include, whose glibc headers must not come before mingw-w64's when
# cross-building. Offer it through a folder that holds only nlohmann/.
set(QRV_HOST_HEADERS "${PROJECT_BINARY_DIR}/host-headers")
set(nlohmann_json_DIR "${QRV_HOST_HEADERS}/cmake")
if(EXISTS /usr/include/nlohmann AND NOT EXISTS "${nlohmann_json_DIR}/nlohmann_jsonConfig.cmake")
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
