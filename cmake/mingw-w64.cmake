# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads variant: std::thread
# needs it). Programs are linked statically against the C++ and GCC runtimes and winpthreads, so
# vxra.exe runs without DLLs beside it; CTest runs the tests under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Debian puts Wine's 64-bit loader in Wine's library folder, not on the command path.
find_program(VXRA_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(VXRA_WINE64 wine64)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VXRA_WINE64})

# -O2, as the Linux builds: at -O3 g++ 12 warns falsely (-Wrestrict) inside std::string's operator+.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of release builds")
