# What the two MinGW-w64 cross builds share; the including file sets
# CMAKE_SYSTEM_PROCESSOR and the target triple first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CXX_FLAGS_INIT
    "${mingw_arch_flags} -ffunction-sections -fdata-sections -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX")
# No runtime DLL beside the program, and no link time in it: two builds of
# the same sources give the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections -s -Wl,--no-insert-timestamp")
# Tests run under the Wine loader of the program's own architecture.
set(CMAKE_CROSSCOMPILING_EMULATOR bash;${CMAKE_CURRENT_LIST_DIR}/../verify/wine.sh;${CMAKE_SYSTEM_PROCESSOR};wine)
