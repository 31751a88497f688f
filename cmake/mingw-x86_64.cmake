# The same sources for 64-bit Windows (MinGW-w64 x86_64), so that the Windows
# code is tested under Wine on machines that cannot run 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_triple x86_64-w64-mingw32)
set(mingw_arch_flags "")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
