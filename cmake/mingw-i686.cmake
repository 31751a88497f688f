# Cross build for native 32-bit Windows with Debian's MinGW-w64 (i686): the release.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(mingw_triple i686-w64-mingw32)
set(mingw_arch_flags "-msse2 -mfpmath=sse")  # SSE2 arithmetic
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
