# Cross-build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix), run under
# Wine by CTest.
#
#   cmake --preset windows-cross      (core, mervasto-cli and their tests, in build-windows/)
#   cmake --preset windows-cross-qt   (also the window and its tests, with Qt for MinGW unpacked
#                                      into build-windows/qt6-mingw: see docs/windows.md)
#
# Programs use MinGW's shared C++ runtime (libstdc++-6.dll, libgcc_s_seh-1.dll,
# libwinpthread-1.dll), as Qt's DLLs do: a program and the Qt it links must share one runtime.
# mervasto-cli alone links it statically (cmake/MervastoWindowsRuntime.cmake), so that it runs
# with no DLL beside it.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MERVASTO_MINGW_TRIPLET x86_64-w64-mingw32)
# The -posix variants: std::thread and std::mutex through winpthreads.
set(CMAKE_C_COMPILER ${MERVASTO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MERVASTO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MERVASTO_MINGW_TRIPLET}-windres)

# Headers and libraries come from the MinGW tree only, never from the host's /usr.
set(MERVASTO_MINGW_SYSROOT /usr/${MERVASTO_MINGW_TRIPLET})

# CLI11 and nlohmann-json are header-only, so the host's copies serve the target as well. Their
# package files compute the include directory from where they lie, so they are copied into a
# small tree of this build directory that holds nothing but these two packages; pointing the
# compiler at /usr/include itself would let host C library headers shadow the MinGW ones.
set(MERVASTO_HEADER_ONLY_ROOT ${CMAKE_BINARY_DIR}/header-only-packages)
if(NOT CMAKE_IN_TRY_COMPILE AND NOT EXISTS ${MERVASTO_HEADER_ONLY_ROOT}/include)
    foreach(package IN ITEMS CLI11 nlohmann_json)
        if(EXISTS /usr/share/cmake/${package})
            file(COPY /usr/share/cmake/${package} DESTINATION ${MERVASTO_HEADER_ONLY_ROOT}/share/cmake)
        endif()
    endforeach()
    file(MAKE_DIRECTORY ${MERVASTO_HEADER_ONLY_ROOT}/include)
    foreach(headers IN ITEMS CLI nlohmann)
        if(EXISTS /usr/include/${headers})
            file(CREATE_LINK /usr/include/${headers} ${MERVASTO_HEADER_ONLY_ROOT}/include/${headers}
                 SYMBOLIC)
        endif()
    endforeach()
endif()

# Appended to, so that a Qt prefix given on the command line or by a preset stays searched.
list(APPEND CMAKE_FIND_ROOT_PATH ${MERVASTO_MINGW_SYSROOT} ${MERVASTO_HEADER_ONLY_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest runs the Windows programs with Wine's 64-bit loader. The Wine prefix and quiet logging
# are set per test (cmake/MervastoTesting.cmake) so that a plain `ctest` works as well.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
