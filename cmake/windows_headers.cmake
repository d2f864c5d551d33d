# The header-only libraries of the Windows cross build. Debian ships them for the build
# machine only; their headers are linked into a folder of the build tree, so the cross
# compiler sees them without the build machine's /usr/include (whose C library headers
# would mix with mingw's).
set(brivane_host_headers "${CMAKE_BINARY_DIR}/host-headers")
file(MAKE_DIRECTORY "${brivane_host_headers}")
foreach(header nlohmann CLI httplib.h)
    if(NOT EXISTS "/usr/include/${header}")
        message(FATAL_ERROR "/usr/include/${header} is missing: run scripts/install-deps")
    endif()
    file(CREATE_LINK "/usr/include/${header}" "${brivane_host_headers}/${header}" SYMBOLIC)
endforeach()

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE "${brivane_host_headers}")

add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE "${brivane_host_headers}")

# cpp-httplib over winsock, plain HTTP (no OpenSSL on Windows), gzip as on Linux.
add_library(PkgConfig::HTTPLIB INTERFACE IMPORTED)
target_include_directories(PkgConfig::HTTPLIB SYSTEM INTERFACE "${brivane_host_headers}")
target_compile_definitions(PkgConfig::HTTPLIB INTERFACE CPPHTTPLIB_ZLIB_SUPPORT)
target_link_libraries(PkgConfig::HTTPLIB INTERFACE ZLIB::ZLIB ws2_32)
