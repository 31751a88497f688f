# The tools that run while the program is built: the form block writer, and
# for the Linux window the icon tool. A native build makes them as its own
# targets. A cross build takes them from MIVELLO_HOST_TOOLS, a build of this
# project for the build machine, or, where that is empty, builds them for the
# build machine itself, with its native compiler and none of the target's
# flags. Sets MIVELLO_FORM_WRITER, MIVELLO_ICON_TOOL and MIVELLO_HOST_TOOLS_DEPENDS.
set(MIVELLO_HOST_TOOLS "" CACHE PATH
    "A cross build's tools from this build of the project for the build machine (e.g. build/default); empty: the cross build makes them")
set(MIVELLO_BUILD_CXX c++ CACHE STRING "The build machine's C++ compiler, for a cross build's own tools")

set(tools tools/form_block/write_form_block)
if(MIVELLO_QT)
  list(APPEND tools tools/icon_pngs/icon_pngs)
endif()

if(NOT CMAKE_CROSSCOMPILING)
  set(MIVELLO_FORM_WRITER $<TARGET_FILE:write_form_block>)
  set(MIVELLO_ICON_TOOL $<TARGET_FILE:icon_pngs>)
  set(MIVELLO_HOST_TOOLS_DEPENDS write_form_block)
  if(MIVELLO_QT)
    list(APPEND MIVELLO_HOST_TOOLS_DEPENDS icon_pngs)
  endif()
  return()
endif()

if(MIVELLO_HOST_TOOLS)
  foreach(tool IN LISTS tools)
    if(NOT EXISTS ${MIVELLO_HOST_TOOLS}/${tool})
      message(FATAL_ERROR "MIVELLO_HOST_TOOLS (${MIVELLO_HOST_TOOLS}) has no ${tool}: build it there first "
                          "(cmake --preset default && cmake --build --preset default), or leave MIVELLO_HOST_TOOLS "
                          "empty and this build makes its own")
    endif()
  endforeach()
  set(host ${MIVELLO_HOST_TOOLS})
  set(MIVELLO_HOST_TOOLS_DEPENDS "")
else()
  include(ExternalProject)
  set(host ${CMAKE_BINARY_DIR}/host-tools)
  set(targets "")
  set(byproducts "")
  foreach(tool IN LISTS tools)
    get_filename_component(name ${tool} NAME)
    list(APPEND targets --target ${name})
    list(APPEND byproducts ${host}/${tool})
  endforeach()
  # The target's compiler and flags (a package build's CXXFLAGS, pkg-config
  # of the target) are not the build machine's.
  set(native_env ${CMAKE_COMMAND} -E env --unset=CC --unset=CXX --unset=CFLAGS --unset=CXXFLAGS --unset=CPPFLAGS
                 --unset=LDFLAGS --unset=PKG_CONFIG --unset=PKG_CONFIG_PATH --unset=PKG_CONFIG_LIBDIR
                 --unset=PKG_CONFIG_SYSROOT_DIR)
  ExternalProject_Add(mivello_host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${host}
    CONFIGURE_COMMAND ${native_env} ${CMAKE_COMMAND} -S <SOURCE_DIR> -B <BINARY_DIR> -G ${CMAKE_GENERATOR}
                      -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${MIVELLO_BUILD_CXX} -DMIVELLO_TOOLS_ONLY=ON
                      -DMIVELLO_BUILD_ICON_TOOL=${MIVELLO_QT}
    BUILD_COMMAND ${native_env} ${CMAKE_COMMAND} --build <BINARY_DIR> ${targets}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${byproducts}
    USES_TERMINAL_BUILD ON)
  set(MIVELLO_HOST_TOOLS_DEPENDS mivello_host_tools)
endif()
set(MIVELLO_FORM_WRITER ${host}/tools/form_block/write_form_block)
set(MIVELLO_ICON_TOOL ${host}/tools/icon_pngs/icon_pngs)
