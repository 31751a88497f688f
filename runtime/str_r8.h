#pragma once
#include "runtime/string.h"

namespace mivello {

// A Double as the runtime shows it: at most 15 significant digits (exact ties
// away from zero), no trailing zeros, no leading blank, the period as decimal
// point whatever the locale; the exponent form ("1E+15", "5.6789E-12") from
// 1E+15 up and where the plain form would need more than 15 decimals.
String vbaStrR8(double value);

}  // namespace mivello
