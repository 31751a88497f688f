#pragma once
// Errors of the form runtime: a number and the runtime's own Chinese
// description; and the floating-point check that raises one.
#include <cstdint>
#include <exception>

#include "runtime/string.h"

namespace mivello {

enum class ErrorNumber : std::int32_t {
  InvalidProcedureCall = 5,
  Overflow = 6,
  OutOfMemory = 7,
  DivisionByZero = 11,
  TypeMismatch = 13,
  InternalError = 51,  // a fault of the program itself, not of what the user did
  FileNotFound = 53,
  ObjectNotSet = 91,
  InvalidPropertyValue = 380,
  ObjectRequired = 424,
  NoSuchProperty = 438,
  AutomationError = 440,
};

// The description the runtime shows for a number; unknown numbers get the
// runtime's generic "应用程序定义的错误或对象定义的错误".
String ErrorDescription(std::int32_t number);

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(ErrorNumber number);
  RuntimeError(std::int32_t number, String description);

  std::int32_t Number() const noexcept { return number_; }
  const String& Description() const noexcept { return description_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::int32_t number_;
  String description_;
  std::string utf8_;
};

[[noreturn]] void Raise(ErrorNumber number);

// The arithmetic unit's exception status, as procedures check it after
// arithmetic. The runtime keeps it itself, one status word for the window's
// thread: what the check sees is what the operations raised, never what a
// processor or its C library keeps (a soft-float C library keeps nothing).

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
