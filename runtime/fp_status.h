#pragma once
// The arithmetic unit's exception status, as procedures check it after arithmetic.

namespace mivello {

// Clears invalid operation, division by zero and overflow.
void ClearFpStatus() noexcept;

// Sets the flags that arithmetic done in integers raised, as the arithmetic
// unit would have, so that CheckFpStatus sees them.
void RaiseFpStatus(bool invalid, bool overflow) noexcept;

// Raises the runtime's floating-point error if one of the three is set:
// 11 for division by zero, 6 for invalid operation or overflow.
void CheckFpStatus();

// Raises the floating-point error for the flags that are set; never returns.
[[noreturn]] void vbaFPException();

}  // namespace mivello
