# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads, so std::thread and
# std::mutex work). The libraries Debian has no mingw package of are cross-built by
# `scripts/install-deps --windows` into BRIVANE_MINGW_PREFIX; the tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(brivane_mingw_host x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${brivane_mingw_host}-gcc-posix)
set(CMAKE_CXX_COMPILER ${brivane_mingw_host}-g++-posix)
set(CMAKE_RC_COMPILER ${brivane_mingw_host}-windres)

if(NOT DEFINED BRIVANE_MINGW_PREFIX)
    if(DEFINED ENV{BRIVANE_MINGW_PREFIX})
        set(BRIVANE_MINGW_PREFIX "$ENV{BRIVANE_MINGW_PREFIX}")
    else()
        set(BRIVANE_MINGW_PREFIX /opt/brivane-mingw64)
    endif()
endif()
set(BRIVANE_MINGW_PREFIX "${BRIVANE_MINGW_PREFIX}" CACHE PATH
    "Where scripts/install-deps --windows installs the cross-built libraries")

# Libraries and headers come from the mingw sysroot and our prefix, never from the host;
# programs (pkg-config, the host tools) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${brivane_mingw_host} "${BRIVANE_MINGW_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# zlib's static archive, not its import library (which would bring its DLL back).
set(ZLIB_USE_STATIC_LIBS ON)
set(ENV{PKG_CONFIG_LIBDIR} "${BRIVANE_MINGW_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Windows 10 and the wide-character API; one static .exe that needs no DLL of the toolchain.
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00 UNICODE _UNICODE NOMINMAX)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine, quietly.
find_program(BRIVANE_WINE NAMES wine wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(BRIVANE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${BRIVANE_WINE}")
endif()
