# nlohmann/json for the WebAssembly build: Debian's headers.
if(NOT TARGET nlohmann_json::nlohmann_json)
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
    target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${QUILLON_WEB_INCLUDE})
endif()
