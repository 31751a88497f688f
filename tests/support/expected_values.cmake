# Makes expected_values.h from tests/expected_values.txt: one string_view a
# value, in namespace mivello::expected.
#   cmake -DIN=... -DOUT=... -P expected_values.cmake
file(STRINGS ${IN} lines ENCODING UTF-8 REGEX "^[a-z_]+=")
set(body "// Made from tests/expected_values.txt at build time.\n#pragma once\n#include <string_view>\n\nnamespace mivello::expected {\n")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^([a-z_]+)=(.*)$" matched "${line}")
  string(APPEND body "inline constexpr std::string_view ${CMAKE_MATCH_1} = R\"x(${CMAKE_MATCH_2})x\";\n")
endforeach()
string(APPEND body "}  // namespace mivello::expected\n")
file(WRITE ${OUT}.new "${body}")
file(COPY_FILE ${OUT}.new ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.new)
