#include "runtime/fp_status.h"

#include "runtime/runtime_error.h"

namespace mivello {
namespace {

enum Flag : unsigned { kInvalid = 1, kDivisionByZero = 2, kOverflow = 4 };

thread_local unsigned status = 0;

}  // namespace

void ClearFpStatus() noexcept { status = 0; }

void RaiseFpStatus(bool invalid, bool overflow) noexcept {
  status |= (invalid ? kInvalid : 0u) | (overflow ? kOverflow : 0u);
}

void CheckFpStatus() {
  if (status != 0) vbaFPException();
}

void vbaFPException() {
  const bool divide = (status & kDivisionByZero) != 0;
  status = 0;
  Raise(divide ? ErrorNumber::DivisionByZero : ErrorNumber::Overflow);
}

}  // namespace mivello
