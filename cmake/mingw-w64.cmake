# Cross toolchain: MinGW-w64 (posix threads) from Debian, static runtime.
# SUITE_MINGW_ARCH selects x86_64 (default) or i686.
if(NOT SUITE_MINGW_ARCH)
  set(SUITE_MINGW_ARCH x86_64)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${SUITE_MINGW_ARCH})
set(triple ${SUITE_MINGW_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER   ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Narrow Win32 API only; Windows 7 API level.
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)

# Tests of the Windows build run under Wine (scripts/wine-session provides the
# prefix and the display; scripts/wine-run starts each test program).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
