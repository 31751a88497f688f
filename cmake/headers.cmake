# A library's headers are seen only by the targets that link it: each
# library has an include folder of its own in the build tree, holding a link
# to its source folder under the same relative path, so that
#   #include "calc/price.h"
# compiles only where mivello_calc is linked.
#   mivello_headers(TARGET FOLDER)   FOLDER relative to the project, e.g. ui/form1
function(mivello_headers target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  set(link ${root}/${folder})
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  set(target_folder ${PROJECT_SOURCE_DIR}/${folder})
  if(IS_SYMLINK ${link})
    file(READ_SYMLINK ${link} current)
    if(NOT current STREQUAL target_folder)
      file(REMOVE ${link})
    endif()
  endif()
  if(NOT IS_SYMLINK ${link})
    file(CREATE_LINK ${target_folder} ${link} SYMBOLIC)
  endif()
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
