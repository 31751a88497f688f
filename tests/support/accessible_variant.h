#pragma once
// What the Active Accessibility tests take from and give to an IAccessible.
#include <oleacc.h>
#include <windows.h>

#include <string>

#include "runtime/string.h"

namespace mivello::testing_support {

// A BSTR as UTF-8, freed.
inline std::string Utf8(BSTR text) {
  const std::u16string wide(reinterpret_cast<const char16_t*>(text),
                            text != nullptr ? SysStringLen(text) : 0);
  SysFreeString(text);
  return ToUtf8(wide);
}

// The child id of an element (1 is the first in reading order; 0 the form itself).
inline VARIANT Child(long id) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

}  // namespace mivello::testing_support
