#include "runtime/win32/form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "runtime/startup/diagnostic.h"
#include "runtime/win32/accessibility_library.h"
#include "runtime/win32/edit_text.h"
#include "runtime/win32/window_basics.h"
#include "runtime/window_model/geometry.h"
#include "runtime/window_model/layout.h"
#include "runtime/window_model/paint_order.h"

namespace mivello::win32 {
namespace {

constexpr wchar_t kClassName[] = L"MivelloForm";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
// Posted by the first paint: what the window needs only once it is seen.
constexpr UINT kAfterFirstPaint = kAccessibleClick + 1;
// WM_GETDPISCALEDSIZE, which older SDK headers lack.
constexpr UINT kGetDpiScaledSize = 0x02E4;

}  // namespace

FormWindow::FormWindow(Form& form, EventDispatcher& events, HINSTANCE instance)
    : form_(form), events_(events), user_(form.Model(), events, [this](std::size_t control, bool down) {
        if (HWND button = ChildWindow(control)) SendMessageW(button, BM_SETSTATE, down, 0);
      }) {
  RegisterClassOnce(instance, kClassName, &FormWindow::WindowProc);
  const FormModel& model = form.Model();
  // The window procedure takes ownership at WM_NCCREATE: a throw from here
  // on destroys the window with this object's members.
  if (CreateWindowExW(kExStyle, kClassName, Wide(model.caption).c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this) == nullptr) {
    throw StartupError("cannot create the window");
  }

  bigIcon_ = IconFromFile(model.icon, GetSystemMetrics(SM_CXICON));
  smallIcon_ = IconFromFile(model.icon, GetSystemMetrics(SM_CXSMICON));
  SendMessageW(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  SendMessageW(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

  pictures_.resize(model.controls.size());
  for (std::size_t i = 0; i < model.controls.size(); ++i) {
    if (model.controls[i].kind == ControlClass::Picture)
      pictures_[i] = LoadPicture(model.controls[i].picture);
  }
  CreateControls();

  ApplyDpi(WindowDpi(window_.get()));
  PlaceAt(std::nullopt);
}

SIZE FormWindow::WindowSizeAt(UINT dpi) const {
  const FormModel& model = form_.Model();
  const int dpiValue = static_cast<int>(dpi);
  return FrameAround(
      {PixelEdge(model.clientRect.width, dpiValue), PixelEdge(model.clientRect.height, dpiValue)}, kStyle,
      kExStyle, dpi);
}

void FormWindow::PlaceAt(std::optional<POINT> topLeft) {
  const FormModel& model = form_.Model();
  const SIZE want{Pixels(model.clientRect.width), Pixels(model.clientRect.height)};
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (topLeft ? 0 : SWP_NOMOVE);
  const SIZE size = WindowSizeAt(dpi_);
  SetWindowPos(window_.get(), nullptr, topLeft ? topLeft->x : 0, topLeft ? topLeft->y : 0, size.cx, size.cy,
               flags);
  // The frame the window really has decides: where it differs from the one
  // foreseen for its DPI (a system without per-monitor frames), the window
  // grows or shrinks by the difference, so that the client area is exact.
  RECT client, window;
  GetClientRect(window_.get(), &client);
  GetWindowRect(window_.get(), &window);
  const int dx = want.cx - (client.right - client.left), dy = want.cy - (client.bottom - client.top);
  if (dx != 0 || dy != 0)
    SetWindowPos(window_.get(), nullptr, 0, 0, window.right - window.left + dx,
                 window.bottom - window.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::ApplyDpi(UINT dpi) {
  dpi_ = dpi;
  UniqueFont font = DefaultFont(dpi_);
  const FormModel& model = form_.Model();
  for (std::size_t i = 0; i < children_.size(); ++i) {
    if (children_[i] == nullptr) continue;
    const RECT r = PixelsOf(model.controls[i].rect);
    SetWindowPos(children_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(children_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  }
  font_ = std::move(font);  // the old font is released only after no child uses it
  if (toolTip_ != nullptr)
    PlaceToolTip(toolTip_, window_.get(),
                 {0, 0, Pixels(model.clientRect.width), Pixels(model.clientRect.height)});
  InvalidateRect(window_.get(), nullptr, TRUE);
}

FormWindow::~FormWindow() {
  // Tools may hold the accessible object longer than the window lives.
  if (accessible_) accessible_->Disconnect();
}  // then the window, detached: see window_

IAccessible* FormWindow::AccessibleObject() {
  if (!accessible_) accessible_ = FormAccessible::Create(*this);
  if (accessible_) accessible_->AddRef();
  return accessible_.Get();
}

LRESULT FormWindow::AnswerGetObject(WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
    StartComOnce();  // the object reaches the tool through COM
    if (IAccessible* accessible = AccessibleObject()) {
      const LRESULT result = ResultFromObject(IID_IAccessible, wParam, accessible);
      accessible->Release();
      return result;
    }
  }
  return DefWindowProcW(window_.get(), WM_GETOBJECT, wParam, lParam);
}

RECT FormWindow::PixelsOf(const TwipsRect& twips) const {
  const PixelRect r = DeviceRect(twips, Density::AtDpi(static_cast<int>(dpi_)));
  return {r.left, r.top, r.left + r.width, r.top + r.height};
}

void FormWindow::CreateControls() {
  const FormModel& model = form_.Model();
  children_.assign(model.controls.size(), nullptr);
  // Children are made in tab order: the dialog manager's Tab follows it.
  for (std::size_t i : TabOrder(model)) {
    const ControlModel& c = model.controls[i];
    const RECT r = PixelsOf(c.rect);
    const bool edit = c.kind == ControlClass::TextBox;
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | (edit ? ES_AUTOHSCROLL | ES_LEFT : BS_PUSHBUTTON);
    HWND child = CreateWindowExW(
        edit ? WS_EX_CLIENTEDGE : 0, edit ? L"EDIT" : L"BUTTON", edit ? L"" : Wide(c.caption).c_str(), style,
        r.left, r.top, r.right - r.left, r.bottom - r.top, window_.get(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(i))),
        GetModuleHandleW(nullptr), nullptr);
    if (child == nullptr) throw StartupError("cannot create control " + c.name);
    children_[i] = child;
    if (edit) {
      SetWindowSubclass(child, &EditProc, i, reinterpret_cast<DWORD_PTR>(this));
      SendMessageW(child, EM_SETLIMITTEXT, 0, 0);  // no length limit beyond the system's
      texts_.push_back(std::make_unique<EditText>(child));
      form_.Controls()[i].AttachText(texts_.back().get());
    } else {
      SetWindowSubclass(child, &ButtonProc, i, reinterpret_cast<DWORD_PTR>(this));
    }
  }
}

void FormWindow::Show() {
  ShowWindow(window_.get(), SW_SHOWDEFAULT);
  UpdateWindow(window_.get());
  FocusControl(user_.FirstFocus());
}

FormWindow* FormWindow::Of(HWND window) {
  wchar_t name[std::size(kClassName) + 1] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  if (lstrcmpW(name, kClassName) != 0) return nullptr;
  return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK FormWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_.reset(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  // Before WM_NCCREATE and after WM_NCDESTROY, or once detached: no object.
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    static_cast<void>(self->window_.release());  // Windows has destroyed it
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& e) {
    // Procedures' errors are handled where they are delivered; nothing else
    // may unwind through Windows. The window goes on.
    WriteDiagnostic(std::string("内部错误：") + e.what());
  } catch (...) {
    WriteDiagnostic("内部错误");
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::optional<LRESULT> handled = HandleInput(message, wParam, lParam)) return *handled;
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_.get(), &ps);
      Paint(dc);
      EndPaint(window_.get(), &ps);
      if (!painted_) PostMessageW(window_.get(), kAfterFirstPaint, 0, 0);
      painted_ = true;
      return 0;
    }
    case kAfterFirstPaint:
      // The tooltip is a window of its own: made after the first paint, it
      // keeps the form's first appearance waiting for nothing. Posted
      // messages come before any input, so it is there before the mouse is.
      if (toolTip_ == nullptr) toolTip_ = CreateToolTip(window_.get());
      return 0;
    case kGetDpiScaledSize: {
      // About to move to a screen of another density: the exact size there,
      // not the system's proportional guess.
      *reinterpret_cast<SIZE*>(lParam) = WindowSizeAt(LOWORD(wParam));
      return TRUE;
    }
    case WM_DPICHANGED: {
      // Moved to a screen of another density: the same twips in its pixels,
      // where the system suggests, at the exact size.
      ApplyDpi(HIWORD(wParam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      PlaceAt(POINT{suggested->left, suggested->top});
      return 0;
    }
    case WM_GETOBJECT:
      return AnswerGetObject(wParam, lParam);
    case kAccessibleClick:
      user_.Click(wParam, ClickSource::AssistiveTool);
      return 0;
    case WM_ACTIVATE:
      // As a dialog does: the focus leaves with the window and comes back
      // to the same control (after a message box, another program, the browser).
      if (LOWORD(wParam) == WA_INACTIVE) {
        user_.Deactivated(IndexOf(GetFocus()));
      } else if (HIWORD(wParam) == 0) {  // not while minimized
        FocusControl(user_.FocusOnActivation());
      }
      return 0;
    case WM_SETFOCUS:
      FocusControl(user_.FocusOnActivation());
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window_.get(), message, wParam, lParam);
}

}  // namespace mivello::win32
