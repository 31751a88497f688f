#include "runtime/fp_status.h"

#include <cfenv>

#include "runtime/runtime_error.h"

namespace mivello {
namespace {
constexpr int kChecked = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
}

void ClearFpStatus() noexcept { std::feclearexcept(kChecked); }

void RaiseFpStatus(bool invalid, bool overflow) noexcept {
  const int raised = (invalid ? FE_INVALID : 0) | (overflow ? FE_OVERFLOW : 0);
  if (raised != 0) std::feraiseexcept(raised);
}

void CheckFpStatus() {
  if (std::fetestexcept(kChecked) != 0) vbaFPException();
}

void vbaFPException() {
  const bool divide = std::fetestexcept(FE_DIVBYZERO) != 0;
  std::feclearexcept(kChecked);
  Raise(divide ? ErrorNumber::DivisionByZero : ErrorNumber::Overflow);
}

}  // namespace mivello
