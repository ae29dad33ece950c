# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64,
# libz-mingw-w64-dev):
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The programs link the compiler's runtime statically, so that the .exe files
# run on a Windows machine (or under wine) without further DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_triple x86_64-w64-mingw32)

# The "posix" thread model gives std::thread and std::mutex on GCC 12.
find_program(CMAKE_C_COMPILER NAMES ${_triple}-gcc-posix ${_triple}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${_triple}-g++-posix ${_triple}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${_triple}-windres)
find_program(CMAKE_STRIP NAMES ${_triple}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The main thread gets the 8 MiB of stack a Linux program has (Windows gives
# 1 MiB), since some steps keep large buffers on the stack.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--stack,8388608")
# Tests and tools run the programs through wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
set(ZLIB_LIBRARY /usr/${_triple}/lib/libz.a CACHE FILEPATH "static zlib, so that the programs need no zlib1.dll")
# The C99 printf family (%zu, %lld) instead of the system's own, and the
# wide-character forms of the Windows API.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1 UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0601)
