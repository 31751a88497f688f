#pragma once
// The window of a form on Win32: EDIT and BUTTON children for the text boxes
// and buttons, labels and pictures drawn by the runtime in the stored order.
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "runtime/form.h"
#include "runtime/startup/events.h"
#include "runtime/win32/form_accessible.h"
#include "runtime/win32/handles.h"
#include "runtime/win32/pictures.h"
#include "runtime/window_model/geometry.h"
#include "runtime/window_model/interaction.h"

namespace mivello::win32 {

class EditText;

class FormWindow {
 public:
  // Throws StartupError when the window cannot be built; then nothing of it is left.
  FormWindow(Form& form, EventDispatcher& events, HINSTANCE instance);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND Handle() const { return window_.get(); }
  const Form& TheForm() const { return form_; }
  const EventDispatcher& Events() const { return events_; }
  // The form window behind a window handle; null for any other window.
  static FormWindow* Of(HWND window);
  // The native window of a text box or button; null for what the runtime
  // paints, and for a control not made yet (tools may ask while the window
  // is being built).
  HWND ChildWindow(std::size_t control) const {
    return control < children_.size() ? children_[control] : nullptr;
  }
  // A control's rectangle in client pixels at the window's DPI.
  RECT ClientPixelsOf(std::size_t control) const { return PixelsOf(form_.Model().controls[control].rect); }
  // The form's accessible object, with a reference for the caller; null
  // when it cannot be made. It is disconnected when the window goes.
  IAccessible* AccessibleObject();
  // The element that a client point reaches, native or painted.
  std::optional<std::size_t> ElementAt(POINT client) const;
  // A key message for one of the form's controls, as the runtime decides
  // it; true when the form has taken it and nothing else may see it.
  bool TranslateKey(const MSG& message);
  // Shows the window where the system puts new windows, focus on the first
  // control of the tab order.
  void Show();

 private:
  static constexpr int kFirstControlId = 100;  // control i has the id 100 + i

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  // A text box's own messages first: its border answers as its inside does.
  static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR control,
                                   DWORD_PTR self) noexcept;
  // A button's: it says when it takes the focus. (Its BS_NOTIFY style would
  // say so too, but would turn a double-click's second press into
  // BN_DOUBLECLICKED, which never presses the button: one Click, not two.)
  static LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR control, DWORD_PTR self) noexcept;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The mouse, keys, focus and tooltip messages; nothing for any other.
  std::optional<LRESULT> HandleInput(UINT message, WPARAM wParam, LPARAM lParam);
  // The window's outer size that gives the stored client area at `dpi`.
  SIZE WindowSizeAt(UINT dpi) const;
  // Sizes the window for its client area at its DPI, exactly; moves it to `topLeft` if given.
  void PlaceAt(std::optional<POINT> topLeft);
  void CreateControls();
  // Places the children and sets their font for `dpi` dots per inch.
  void ApplyDpi(UINT dpi);
  void Paint(HDC dc) const;
  int Pixels(int twips) const { return PixelEdge(twips, static_cast<int>(dpi_)); }
  RECT PixelsOf(const TwipsRect& r) const;
  LRESULT AnswerGetObject(WPARAM wParam, LPARAM lParam);

  // The label or picture that a client point reaches: what the form's own mouse messages concern.
  std::optional<std::size_t> PaintedAt(POINT client) const;
  std::optional<std::size_t> IndexOf(HWND child) const;
  void FocusControl(std::optional<std::size_t> control) const;

  Form& form_;
  EventDispatcher& events_;
  UINT dpi_ = 96;
  // What the window and its children use lives longer than they do.
  UniqueFont font_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  std::vector<ComPtr<IPicture>> pictures_;  // by control index
  std::vector<std::unique_ptr<EditText>> texts_;
  HWND toolTip_ = nullptr;  // owned by the window; made after the first paint
  bool painted_ = false;
  std::vector<HWND> children_;  // by control index; null for drawn controls
  Interaction user_;
  std::optional<std::size_t> hovered_;
  bool releasingCapture_ = false;
  ComPtr<FormAccessible> accessible_;  // made when first asked for; disconnected when the window goes
  // Owned from WM_NCCREATE to WM_NCDESTROY; destroyed first, detached.
  UniqueWindow window_;
};

}  // namespace mivello::win32
