# A library's headers are seen only by the targets that link it: each
# library has an include folder of its own in the build tree, holding links
# to the headers of its source folder under the same relative path, so that
#   #include "calc/price.h"
# compiles only where mivello_calc is linked. Only the folder's own headers
# are linked, not those of the folders below it, which are libraries of
# their own (runtime/ and runtime/window_model/).
#   mivello_headers(TARGET FOLDER)   FOLDER relative to the project, e.g. ui/form1
function(mivello_headers target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  set(linked ${root}/${folder})
  file(MAKE_DIRECTORY ${linked})
  file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/${folder} ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  foreach(header IN LISTS headers)
    set(link ${linked}/${header})
    set(source ${PROJECT_SOURCE_DIR}/${folder}/${header})
    if(IS_SYMLINK ${link})
      file(READ_SYMLINK ${link} current)
      if(NOT current STREQUAL source)
        file(REMOVE ${link})
      endif()
    endif()
    if(NOT IS_SYMLINK ${link})
      file(CREATE_LINK ${source} ${link} SYMBOLIC)
    endif()
  endforeach()
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
