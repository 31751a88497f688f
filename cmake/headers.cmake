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
  mivello_link_headers(${PROJECT_SOURCE_DIR} ${root} ${folder})
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# Links SOURCE_ROOT/FOLDER/*.h as ROOT/FOLDER/*.h.
function(mivello_link_headers source_root root folder)
  set(linked ${root}/${folder})
  # A build folder of an older layout may hold a link to the whole source
  # folder on this path; a header linked through it would replace the source
  # file with a link to itself. Such a link goes (only the link).
  string(REPLACE "/" ";" parts ${folder})
  set(path ${root})
  foreach(part IN LISTS parts)
    string(APPEND path /${part})
    if(IS_SYMLINK ${path})
      file(REMOVE ${path})
    endif()
  endforeach()
  file(MAKE_DIRECTORY ${linked})
  set(watch CONFIGURE_DEPENDS)
  if(CMAKE_SCRIPT_MODE_FILE)
    set(watch)  # a script has no configure step to repeat
  endif()
  file(GLOB headers ${watch} RELATIVE ${source_root}/${folder} ${source_root}/${folder}/*.h)
  foreach(header IN LISTS headers)
    set(link ${linked}/${header})
    set(source ${source_root}/${folder}/${header})
    if(IS_SYMLINK ${link})
      file(READ_SYMLINK ${link} current)
      if(NOT current STREQUAL source)
        file(REMOVE ${link})
      endif()
    endif()
    if(NOT IS_SYMLINK ${link})
      if(EXISTS ${link})  # never over a real file, least of all the source itself
        message(FATAL_ERROR "${link} is a file, not a link to ${source}: remove it or the build folder")
      endif()
      file(CREATE_LINK ${source} ${link} SYMBOLIC)
    endif()
  endforeach()
endfunction()
