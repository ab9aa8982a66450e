# fast_float for the WebAssembly build: Debian's headers.
if(NOT TARGET FastFloat::fast_float)
    add_library(FastFloat::fast_float INTERFACE IMPORTED)
    target_include_directories(FastFloat::fast_float SYSTEM INTERFACE ${QUILLON_WEB_INCLUDE})
endif()
