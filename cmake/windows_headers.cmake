# The header-only libraries of the Windows cross build. Debian ships nlohmann-json and
# CLI11 for the build machine only; their headers are linked into a folder of the build
# tree, so the cross compiler sees them without the build machine's /usr/include (whose C
# library headers would mix with mingw's).
set(brivane_host_headers "${CMAKE_BINARY_DIR}/host-headers")
file(MAKE_DIRECTORY "${brivane_host_headers}")
foreach(header nlohmann CLI)
    if(NOT EXISTS "/usr/include/${header}")
        message(FATAL_ERROR "/usr/include/${header} is missing: run scripts/install-deps")
    endif()
    file(CREATE_LINK "/usr/include/${header}" "${brivane_host_headers}/${header}" SYMBOLIC)
endforeach()

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE "${brivane_host_headers}")

add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE "${brivane_host_headers}")

# cpp-httplib over winsock, plain HTTP (no OpenSSL on Windows), gzip as on Linux. Debian's
# header is split from a Linux library: scripts/install-deps --windows puts the whole
# header-only upstream file into the prefix.
find_file(BRIVANE_HTTPLIB_HEADER httplib.h PATHS "${BRIVANE_MINGW_PREFIX}/include"
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
add_library(PkgConfig::HTTPLIB INTERFACE IMPORTED)
target_include_directories(PkgConfig::HTTPLIB SYSTEM INTERFACE "${BRIVANE_MINGW_PREFIX}/include")
target_compile_definitions(PkgConfig::HTTPLIB INTERFACE CPPHTTPLIB_ZLIB_SUPPORT)
target_link_libraries(PkgConfig::HTTPLIB INTERFACE ZLIB::ZLIB ws2_32)
