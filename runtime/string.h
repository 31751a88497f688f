#pragma once
// The runtime's text type: counted UTF-16 code units, as the window systems speak.
#include <string>
#include <string_view>

namespace mivello {

using String = std::u16string;
using StringView = std::u16string_view;

// Boundary conversions. Invalid input never throws: ill-formed sequences
// become U+FFFD, so nothing a user types can break a conversion.
String FromUtf8(std::string_view utf8);
std::string ToUtf8(StringView text);

}  // namespace mivello
