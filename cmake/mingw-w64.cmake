# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix,
# whose C++ library has std::thread and std::mutex):
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#     [-DTACHLET_QT_DIR=<Qt for Windows, from scripts/qt-windows.sh>]
# The programs link their C and C++ runtime statically, so each .exe runs by
# itself; those of the window need Qt's DLLs beside them (cmake/WindowsRuntime.cmake).
# Programs and tests run under Wine: ctest in the build folder starts each test
# program through CMAKE_CROSSCOMPILING_EMULATOR.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TACHLET_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TACHLET_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TACHLET_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TACHLET_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TACHLET_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(TACHLET_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TACHLET_WINE})

# Debian carries no Qt for Windows; scripts/qt-windows.sh makes one. With it
# the window, the program and their tests are built too, against Qt's host
# tools of the same version (qt6-base-dev-tools); without it, the core only.
set(TACHLET_QT_DIR "" CACHE PATH "Qt for Windows (scripts/qt-windows.sh); the window is built when it is given")
if(TACHLET_QT_DIR)
  list(APPEND CMAKE_FIND_ROOT_PATH ${TACHLET_QT_DIR})
  set(QT_HOST_PATH /usr CACHE PATH "Qt's host tools")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Qt's host tools' CMake files")
  set(TACHLET_WINDOW ON CACHE BOOL "Build the Qt window, the program and their tests" FORCE)
else()
  set(TACHLET_WINDOW OFF CACHE BOOL "Build the Qt window, the program and their tests" FORCE)
endif()
set(TACHLET_BENCH OFF CACHE BOOL "Build the benchmarks")
