# The GUI-free core for another Linux architecture, with Debian's cross
# compiler for it; its tests run under qemu-user on that port's baseline
# processor, in a sysroot of the port's own libraries (verify/port-sysroot.sh).
#   -DMIVELLO_PORT=ARCH       the architecture as Debian names it
#   -DMIVELLO_SYSROOT=FOLDER  the sysroot that verify/port-sysroot.sh made
# The compiler checks' own projects are configured with the two as well.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MIVELLO_PORT MIVELLO_SYSROOT)
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/ports.txt ports REGEX "^[a-z]")
foreach(row IN LISTS ports)
  string(REGEX MATCHALL "[^ ]+" fields "${row}")
  list(GET fields 0 name)
  if(name STREQUAL "${MIVELLO_PORT}")
    list(GET fields 1 triple)
    list(GET fields 2 processor)
    list(GET fields 3 qemu)
    list(GET fields 4 cpu)
  endif()
endforeach()
if(NOT triple)
  message(FATAL_ERROR "MIVELLO_PORT must name a Debian architecture: arm64, armel, armhf, i386, ppc64el, riscv64 or s390x")
endif()
if(NOT IS_DIRECTORY "${MIVELLO_SYSROOT}/lib" AND NOT IS_DIRECTORY "${MIVELLO_SYSROOT}/usr/lib")
  message(FATAL_ERROR "MIVELLO_SYSROOT (${MIVELLO_SYSROOT}) holds no system for ${MIVELLO_PORT}: "
                      "make it with verify/port-sysroot.sh ${MIVELLO_PORT} FOLDER")
endif()

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${processor})
set(CMAKE_C_COMPILER ${triple}-gcc)
set(CMAKE_CXX_COMPILER ${triple}-g++)
# The compiler's own C library and C++ runtime to build against; giflib from
# the sysroot.
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${MIVELLO_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${qemu};-L;${MIVELLO_SYSROOT};-cpu;${cpu})
# What verify/check-port.sh reports.
set(MIVELLO_PORT_COMPILER ${triple}-g++ CACHE INTERNAL "The cross compiler")
set(MIVELLO_PORT_EMULATOR "qemu-${qemu} -cpu ${cpu}" CACHE INTERNAL "The emulator of the tests and its processor")
