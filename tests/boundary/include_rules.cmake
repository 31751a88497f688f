# Which folder of the program may include which. Every target sees every
# header by its path from the project's root; this table, read against the
# #include lines of each source, is what keeps the dependencies pointing one
# way: app → ui → calc, links → runtime, and the event procedures (calc/,
# links/) on the runtime's small API alone, never the window model or a
# toolkit.
#   cmake -DROOT=FOLDER -P include_rules.cmake   ends with an error naming each crossing
#
# A folder may include its own headers and those of the folders listed for
# it; a folder below a listed one is not listed with it (runtime/ is not
# runtime/window_model/). A source belongs to the deepest folder of the table
# that holds it (runtime/system/posix/ to runtime/system/).
set(may_app app ui/form1 ui/stored_form runtime/startup runtime)
set(may_ui/form1 ui/form1 calc links runtime/startup runtime)
set(may_ui/stored_form ui/stored_form runtime/startup runtime/system runtime)
set(may_calc calc runtime)
set(may_links links runtime)
set(may_runtime runtime)
set(may_runtime/system runtime/system runtime)
set(may_runtime/startup runtime/startup runtime/system runtime)
set(may_runtime/window_model runtime/window_model runtime/startup runtime)
set(may_runtime/pictures runtime/pictures)
set(may_runtime/headless runtime/headless runtime/window_model runtime/startup runtime)
set(may_runtime/qt runtime/qt runtime/pictures runtime/window_model runtime/startup runtime)
set(may_runtime/win32 runtime/win32 runtime/pictures runtime/window_model runtime/startup runtime)
set(folders app ui/form1 ui/stored_form calc links runtime runtime/system runtime/startup runtime/window_model
            runtime/pictures runtime/headless runtime/qt runtime/win32)
# Where no window system may be seen: the procedures, the stored form and
# the runtime's core. (The backends, the system ports and the entry points
# are where the systems are met.)
set(toolkit_free ui/form1 ui/stored_form calc links runtime runtime/startup runtime/window_model runtime/pictures)
set(toolkit_headers "^(Q[A-Za-z]*|windows\\.h|X11/.*|xcb/.*|wayland-.*)$")

cmake_minimum_required(VERSION 3.25)
if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=FOLDER -P include_rules.cmake")
endif()

# The table's folder that holds FOLDER, the deepest; empty where none does.
function(owner folder out)
  set(found "")
  foreach(candidate IN LISTS folders)
    string(LENGTH "${candidate}" length)
    string(LENGTH "${found}" found_length)
    if((folder STREQUAL candidate OR folder MATCHES "^${candidate}/") AND length GREATER found_length)
      set(found ${candidate})
    endif()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(crossings "")
file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/app/*.cpp ${ROOT}/app/*.h ${ROOT}/ui/*.cpp ${ROOT}/ui/*.h
     ${ROOT}/calc/*.cpp ${ROOT}/calc/*.h ${ROOT}/links/*.cpp ${ROOT}/links/*.h ${ROOT}/runtime/*.cpp ${ROOT}/runtime/*.h)
list(SORT sources)
foreach(source IN LISTS sources)
  get_filename_component(folder ${source} DIRECTORY)
  owner(${folder} rule)
  if(NOT rule)
    list(APPEND crossings "${source}: in no folder of the table (tests/boundary/include_rules.cmake)")
    continue()
  endif()
  file(STRINGS ${ROOT}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line IN LISTS lines)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
      set(header ${CMAKE_MATCH_1})
      get_filename_component(header_folder ${header} DIRECTORY)
      if(NOT header_folder IN_LIST may_${rule})
        list(JOIN may_${rule} ", " allowed)
        list(APPEND crossings "${source} includes \"${header}\": ${rule}/ may include only ${allowed}")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>" AND rule IN_LIST toolkit_free)
      if(CMAKE_MATCH_1 MATCHES "${toolkit_headers}")
        list(APPEND crossings "${source} includes <${CMAKE_MATCH_1}>: ${rule}/ sees no window system")
      endif()
    endif()
  endforeach()
endforeach()

list(LENGTH sources count)
if(crossings)
  list(JOIN crossings "\n  " text)
  message(FATAL_ERROR "includes that cross the program's boundaries:\n  ${text}")
endif()
message(STATUS "include rules: ${count} sources, every include within its folder's rule")
