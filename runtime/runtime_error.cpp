#include "runtime/runtime_error.h"

#include <utility>

namespace mivello {

String ErrorDescription(std::int32_t number) {
  switch (static_cast<ErrorNumber>(number)) {
    case ErrorNumber::InvalidProcedureCall:
      return u"无效的过程调用或参数";
    case ErrorNumber::Overflow:
      return u"溢出";
    case ErrorNumber::OutOfMemory:
      return u"内存溢出";
    case ErrorNumber::DivisionByZero:
      return u"除数为零";
    case ErrorNumber::TypeMismatch:
      return u"类型不匹配";
    case ErrorNumber::InternalError:
      return u"内部错误";
    case ErrorNumber::FileNotFound:
      return u"文件未找到";
    case ErrorNumber::ObjectNotSet:
      return u"对象变量或 With 块变量未设置";
    case ErrorNumber::InvalidPropertyValue:
      return u"无效的属性值";
    case ErrorNumber::ObjectRequired:
      return u"要求对象";
    case ErrorNumber::AutomationError:
      return u"自动化错误";
    case ErrorNumber::NoSuchProperty:
      return u"对象不支持该属性或方法";
  }
  return u"应用程序定义的错误或对象定义的错误";
}

RuntimeError::RuntimeError(ErrorNumber number)
    : RuntimeError(static_cast<std::int32_t>(number), ErrorDescription(static_cast<std::int32_t>(number))) {}

RuntimeError::RuntimeError(std::int32_t number, String description)
    : number_(number), description_(std::move(description)), utf8_(ToUtf8(description_)) {}

void Raise(ErrorNumber number) { throw RuntimeError(number); }

namespace {

enum FpFlag : unsigned { kInvalid = 1, kDivisionByZero = 2, kOverflow = 4 };

thread_local unsigned fpStatus = 0;

}  // namespace

void ClearFpStatus() noexcept { fpStatus = 0; }

void RaiseFpStatus(bool invalid, bool overflow) noexcept {
  fpStatus |= (invalid ? kInvalid : 0u) | (overflow ? kOverflow : 0u);
}

void CheckFpStatus() {
  if (fpStatus != 0) vbaFPException();
}

void vbaFPException() {
  const bool divide = (fpStatus & kDivisionByZero) != 0;
  fpStatus = 0;
  Raise(divide ? ErrorNumber::DivisionByZero : ErrorNumber::Overflow);
}

}  // namespace mivello
