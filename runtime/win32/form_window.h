#pragma once
// The window of a form on Win32: EDIT and BUTTON children for the text boxes
// and buttons, labels and pictures drawn by the runtime in the stored order.
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "runtime/events.h"
#include "runtime/form.h"
#include "runtime/win32/handles.h"
#include "runtime/win32/pictures.h"

namespace mivello::win32 {

class FormWindow {
 public:
  FormWindow(Form& form, EventDispatcher& events, HINSTANCE instance);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND Handle() const { return window_; }
  // Shows the window where the system puts new windows, focus on the first
  // control of the tab order.
  void Show();

 private:
  class EditText;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  // Places the children and sets their font for `dpi` dots per inch.
  void ApplyDpi(UINT dpi);
  void Paint(HDC dc) const;
  int Pixels(int twips) const { return MulDiv(twips, static_cast<int>(dpi_), 1440); }
  RECT PixelsOf(const TwipsRect& r) const;
  std::optional<std::size_t> HitTest(POINT client) const;

  Form& form_;
  EventDispatcher& events_;
  HWND window_ = nullptr;
  UINT dpi_ = 96;
  UniqueFont font_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  HWND toolTip_ = nullptr;
  HWND firstInTabOrder_ = nullptr;
  std::vector<HWND> children_;              // by control index; null for drawn controls
  std::vector<ComPtr<IPicture>> pictures_;  // by control index
  std::vector<std::unique_ptr<EditText>> texts_;
  std::optional<std::size_t> pressed_;
  std::optional<std::size_t> hovered_;
};

}  // namespace mivello::win32
