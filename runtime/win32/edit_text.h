#pragma once
// A text box's Text on Win32.
#include <windows.h>

#include <string>
#include <utility>

#include "runtime/form.h"

namespace mivello::win32 {

// A text box's Text property, kept by its EDIT control.
class EditText : public TextPeer {
 public:
  explicit EditText(HWND edit) : edit_(edit) {}
  HResult GetText(String& out) override {
    const int length = GetWindowTextLengthW(edit_);
    String text(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = GetWindowTextW(edit_, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(static_cast<std::size_t>(copied));
    out = std::move(text);
    return kOk;
  }
  HResult SetText(StringView text) override {
    const String copy(text);
    return SetWindowTextW(edit_, reinterpret_cast<const wchar_t*>(copy.c_str())) ? kOk : kFail;
  }

 private:
  HWND edit_;
};

}  // namespace mivello::win32
