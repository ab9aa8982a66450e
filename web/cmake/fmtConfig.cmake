# {fmt} for the WebAssembly build: Debian's headers, used header-only.
if(NOT TARGET fmt::fmt)
    add_library(fmt::fmt INTERFACE IMPORTED)
    target_include_directories(fmt::fmt SYSTEM INTERFACE ${QUILLON_WEB_INCLUDE})
    target_compile_definitions(fmt::fmt INTERFACE FMT_HEADER_ONLY)
endif()
