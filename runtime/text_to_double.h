#pragma once
#include "runtime/string.h"

namespace mivello {

// The number that `text` begins with, 0 when it begins with none.
// Blanks (space, tab, line feed) are skipped anywhere, also between digits;
// the period is the decimal point whatever the locale; &H and &O read
// hexadecimal and octal integers. Raises 6 when the number is beyond the
// Double range and 13 for an integer type suffix after a fraction.
// Runs in time linear in the length of `text`.
double TextToDouble(StringView text);

}  // namespace mivello
