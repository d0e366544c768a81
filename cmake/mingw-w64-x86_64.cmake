# Cross-building for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64), programs run under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The POSIX thread model gives std::thread and std::mutex. Everything is linked in, so an .exe runs on its own;
# with MORVALEN_WINDOWS_SHARED_RUNTIME (Qt for Windows and the window built against it) the programs and Qt's DLLs
# share the mingw runtime DLLs instead, one libstdc++ for all of them.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
if(NOT MORVALEN_WINDOWS_SHARED_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MORVALEN_WINDOWS_SHARED_RUNTIME)

# Libraries, headers and packages come from the mingw-w64 tree, never from the host's /usr/include. The host's
# header-only libraries are offered through a staging prefix of their own, MORVALEN_WINDOWS_STAGING (made by
# scripts/windows-check); it may be a list of prefixes (the staging, Qt and the file libraries built for Windows).
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${MORVALEN_WINDOWS_STAGING})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MORVALEN_WINDOWS_STAGING)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian's wine64 keeps its loader out of PATH. The tests run each program through under-wine, which runs it again
# when wine, not the program, failed as it shut down.
find_program(MORVALEN_WINE NAMES wine64 wine PATHS /usr/lib/wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/under-wine ${MORVALEN_WINE})
