#pragma once
// The runtime's conversions between text and Double.
#include "runtime/string.h"

namespace mivello {

// The number that `text` begins with, 0 when it begins with none.
// Blanks (space, tab, line feed) are skipped anywhere, also between digits;
// the period is the decimal point whatever the locale; &H and &O read
// hexadecimal and octal integers. Raises 6 when the number is beyond the
// Double range and 13 for an integer type suffix after a fraction.
// Runs in time linear in the length of `text`.
double TextToDouble(StringView text);

// A Double as the runtime shows it: at most 15 significant digits (exact ties
// away from zero), no trailing zeros, no leading blank, the period as decimal
// point whatever the locale; the exponent form ("1E+15", "5.6789E-12") from
// 1E+15 up and where the plain form would need more than 15 decimals.
String vbaStrR8(double value);

}  // namespace mivello
