# Boost for the WebAssembly build: Debian's headers, of which the series
# library uses only header-only parts (Boost.Math).
if(NOT TARGET Boost::headers)
    add_library(Boost::headers INTERFACE IMPORTED)
    target_include_directories(Boost::headers SYSTEM INTERFACE ${QUILLON_WEB_INCLUDE})
endif()
