# Cross-builds for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64-posix);
# the test programs run under Wine when it is installed:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingwTriple x86_64-w64-mingw32)
# The posix thread model: the win32 one lacks std::thread and std::mutex in GCC 12.
find_program(CMAKE_C_COMPILER NAMES ${mingwTriple}-gcc-posix ${mingwTriple}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${mingwTriple}-g++-posix ${mingwTriple}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${mingwTriple}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${mingwTriple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime libraries: the programs then run without MinGW's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

find_program(TOLVANE_WINE NAMES wine wine64)
if(TOLVANE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TOLVANE_WINE})
endif()
