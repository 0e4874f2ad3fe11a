# Cross build of the 64-bit Windows console program with MinGW-w64 (the posix
# thread model, which carries std::this_thread). Use:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DZAV_TESTS=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZAV_MINGW_PREFIX x86_64-w64-mingw32)
find_program(CMAKE_CXX_COMPILER NAMES ${ZAV_MINGW_PREFIX}-g++-posix ${ZAV_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${ZAV_MINGW_PREFIX}-gcc-posix ${ZAV_MINGW_PREFIX}-gcc)
find_program(CMAKE_RC_COMPILER NAMES ${ZAV_MINGW_PREFIX}-windres)
find_program(CMAKE_AR NAMES ${ZAV_MINGW_PREFIX}-gcc-ar-posix ${ZAV_MINGW_PREFIX}-ar)
find_program(CMAKE_RANLIB NAMES ${ZAV_MINGW_PREFIX}-gcc-ranlib-posix ${ZAV_MINGW_PREFIX}-ranlib)

set(CMAKE_FIND_ROOT_PATH /usr/${ZAV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable: the C++ runtime, libgcc and winpthreads are
# linked in, so zavreader.exe needs no DLL beside it; symbols are stripped.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -s")
