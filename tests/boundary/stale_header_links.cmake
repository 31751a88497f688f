# An include folder left by an older layout, a link to the whole source
# folder, must not lead the header links into the sources: the header stays
# the file it was, and the include folder gets a link to it.
#   cmake -DWORK=FOLDER -P stale_header_links.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/headers.cmake)
file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/source/links/shop.h "// the shop\n")
file(MAKE_DIRECTORY ${WORK}/include)
file(CREATE_LINK ${WORK}/source/links ${WORK}/include/links SYMBOLIC)

mivello_link_headers(${WORK}/source ${WORK}/include links)

if(IS_SYMLINK ${WORK}/source/links/shop.h)
  message(FATAL_ERROR "the source header was replaced by a link")
endif()
file(READ ${WORK}/source/links/shop.h text)
file(READ_SYMLINK ${WORK}/include/links/shop.h target)
if(NOT text STREQUAL "// the shop\n" OR NOT target STREQUAL "${WORK}/source/links/shop.h")
  message(FATAL_ERROR "source \"${text}\", include link to \"${target}\"")
endif()
file(REMOVE_RECURSE ${WORK})
