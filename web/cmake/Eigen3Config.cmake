# Eigen for the WebAssembly build: Debian's headers.
if(NOT TARGET Eigen3::Eigen)
    add_library(Eigen3::Eigen INTERFACE IMPORTED)
    target_include_directories(Eigen3::Eigen SYSTEM INTERFACE ${QUILLON_WEB_INCLUDE}/eigen3)
endif()
