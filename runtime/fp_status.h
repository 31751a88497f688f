#pragma once
// The arithmetic unit's exception status, as procedures check it after
// arithmetic. The runtime keeps it itself, one status word for the window's
// thread: what the check sees is what the operations raised, never what a
// processor or its C library keeps (a soft-float C library keeps nothing).

namespace mivello {

// Clears invalid operation, division by zero and overflow.
void ClearFpStatus() noexcept;

// Sets the flags that an operation raised; they stay set until cleared.
void RaiseFpStatus(bool invalid, bool overflow) noexcept;

// Raises the runtime's floating-point error if one of the three is set:
// 11 for division by zero, 6 for invalid operation or overflow.
void CheckFpStatus();

// Raises the floating-point error for the flags that are set; never returns.
[[noreturn]] void vbaFPException();

}  // namespace mivello
