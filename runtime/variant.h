#pragma once
// The tagged value that hands a command line to StartProgram. Only the
// String kind is used, so only that kind exists here.
#include <cstdint>
#include <utility>

#include "runtime/string.h"

namespace mivello {

struct Variant {
  static constexpr std::uint16_t kString = 8;
  std::uint16_t type = kString;
  String text;
};

// The copy a procedure owns; it is freed when the copy leaves scope.
inline Variant vbaVarDup(const Variant& source) { return source; }

}  // namespace mivello
