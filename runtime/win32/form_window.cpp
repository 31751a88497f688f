#include "runtime/win32/form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "runtime/diagnostic.h"
#include "runtime/geometry.h"
#include "runtime/layout.h"
#include "runtime/win32/accessibility_library.h"
#include "runtime/win32/edit_text.h"
#include "runtime/win32/system.h"
#include "runtime/windowless.h"

namespace mivello::win32 {
namespace {

constexpr wchar_t kClassName[] = L"MivelloForm";
constexpr int kFirstControlId = 100;  // control i has the id 100 + i
// Posted by the first paint: what the window needs only once it is seen.
constexpr UINT kAfterFirstPaint = kAccessibleClick + 1;

const wchar_t* Wide(const String& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// A mouse message's client point; negative beyond the left or top edge while captured.
POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

FormWindow::FormWindow(Form& form, EventDispatcher& events, HINSTANCE instance)
    : form_(form), events_(events), user_(form.Model(), events, [this](std::size_t control, bool down) {
        if (HWND button = ChildWindow(control)) SendMessageW(button, BM_SETSTATE, down, 0);
      }) {
  RegisterClassOnce(instance, kClassName, &FormWindow::WindowProc);
  const FormModel& model = form.Model();
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
  // The window procedure takes ownership at WM_NCCREATE: a throw from here
  // on destroys the window with this object's members.
  if (CreateWindowExW(kExStyle, kClassName, Wide(model.caption), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
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
  RECT frame{0, 0, Pixels(model.clientRect.width), Pixels(model.clientRect.height)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  SetWindowPos(window_.get(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    // BS_NOTIFY: a button says when it takes the focus, as a text box does.
    const DWORD style =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | (edit ? ES_AUTOHSCROLL | ES_LEFT : BS_PUSHBUTTON | BS_NOTIFY);
    HWND child =
        CreateWindowExW(edit ? WS_EX_CLIENTEDGE : 0, edit ? L"EDIT" : L"BUTTON", edit ? L"" : Wide(c.caption),
                        style, r.left, r.top, r.right - r.left, r.bottom - r.top, window_.get(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(i))),
                        GetModuleHandleW(nullptr), nullptr);
    if (child == nullptr) throw StartupError("cannot create control " + c.name);
    children_[i] = child;
    if (edit) {
      SendMessageW(child, EM_SETLIMITTEXT, 0, 0);  // no length limit beyond the system's
      texts_.push_back(std::make_unique<EditText>(child));
      form_.Controls()[i].AttachText(texts_.back().get());
    }
  }
}

void FormWindow::Show() {
  ShowWindow(window_.get(), SW_SHOWDEFAULT);
  UpdateWindow(window_.get());
  FocusControl(user_.FirstFocus());
}

std::optional<std::size_t> FormWindow::ElementAt(POINT client) const {
  return user_.ElementAt(client.x, client.y, Density::AtDpi(static_cast<int>(dpi_)));
}

std::optional<std::size_t> FormWindow::PaintedAt(POINT client) const {
  return user_.PaintedAt(client.x, client.y, Density::AtDpi(static_cast<int>(dpi_)));
}

std::optional<std::size_t> FormWindow::IndexOf(HWND child) const {
  const auto found = std::find(children_.begin(), children_.end(), child);
  if (child == nullptr || found == children_.end()) return std::nullopt;
  return static_cast<std::size_t>(found - children_.begin());
}

void FormWindow::FocusControl(std::optional<std::size_t> control) const {
  if (control && children_[*control] != nullptr) SetFocus(children_[*control]);
}

bool FormWindow::TranslateKey(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_KEYUP) return false;
  const std::optional<std::size_t> control = IndexOf(message.hwnd);
  if (!control) return false;
  Key key = Key::Other;
  switch (message.wParam) {
    case VK_TAB:
      key = GetKeyState(VK_SHIFT) < 0 ? Key::BackTab : Key::Tab;
      break;
    case VK_RETURN:
      key = Key::Enter;
      break;
    case VK_SPACE:
      key = Key::Space;
      break;
    case VK_ESCAPE:
      key = Key::Escape;
      break;
    case VK_LEFT:
      key = Key::Left;
      break;
    case VK_RIGHT:
      key = Key::Right;
      break;
    case VK_UP:
      key = Key::Up;
      break;
    case VK_DOWN:
      key = Key::Down;
      break;
    default:
      return false;
  }
  // Bit 30: the key was already down (a held key's repeated press).
  const bool repeat = message.message == WM_KEYDOWN && (message.lParam & (1 << 30)) != 0;
  const KeyAnswer answer =
      message.message == WM_KEYDOWN ? user_.KeyDown(control, key, repeat) : user_.KeyUp(control, key);
  if (answer.focus && children_[*answer.focus] != nullptr) {
    HWND next = children_[*answer.focus];
    SetFocus(next);
    // As the dialog manager does: a text box reached by Tab selects its text.
    if (form_.Model().controls[*answer.focus].kind == ControlClass::TextBox)
      SendMessageW(next, EM_SETSEL, 0, -1);
  }
  return answer.handled;
}

void FormWindow::Paint(HDC dc) const {
  const FormModel& model = form_.Model();
  HGDIOBJ oldFont = SelectObject(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  for (std::size_t i : PaintOrder(model)) {
    const ControlModel& c = model.controls[i];
    RECT r = PixelsOf(c.rect);
    if (c.kind == ControlClass::Picture) {
      DrawPicture(pictures_[i].Get(), dc, r.left, r.top, r.right - r.left, r.bottom - r.top);
    } else if (c.kind == ControlClass::Label) {
      FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
      SetTextColor(dc, c.foreColour ? RGB(c.foreColour->red, c.foreColour->green, c.foreColour->blue)
                                    : GetSysColor(COLOR_BTNTEXT));
      DrawTextW(dc, Wide(c.caption), static_cast<int>(c.caption.size()), &r,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
  SelectObject(dc, oldFont);
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
    case WM_COMMAND: {
      if (LOWORD(wParam) < kFirstControlId) return 0;
      const auto control = static_cast<std::size_t>(LOWORD(wParam) - kFirstControlId);
      // A button clicked by the mouse, for the runtime to decide; its keys
      // are the runtime's (TranslateKey).
      if (HIWORD(wParam) == BN_CLICKED) user_.Click(control, ClickSource::NativeControl);
      if (HIWORD(wParam) == BN_SETFOCUS || HIWORD(wParam) == EN_SETFOCUS) user_.FocusMoved(control);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      user_.MouseDown(PaintedAt(PointOf(lParam)), MouseButton::Left, message == WM_LBUTTONDBLCLK);
      SetCapture(window_.get());
      return 0;
    case WM_LBUTTONUP:
      releasingCapture_ = true;  // its own release ends no press
      ReleaseCapture();
      releasingCapture_ = false;
      user_.MouseUp(PaintedAt(PointOf(lParam)), MouseButton::Left);
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse between press and release.
      if (!releasingCapture_) user_.CaptureLost();
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      user_.MouseDown(PaintedAt(PointOf(lParam)), MouseButton::Other, false);
      break;
    case WM_MOUSEMOVE: {
      const auto hovered = PaintedAt(PointOf(lParam));
      if (hovered != hovered_ && toolTip_ != nullptr) SendMessageW(toolTip_, TTM_POP, 0, 0);
      hovered_ = hovered;
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == toolTip_ && header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        POINT cursor;
        GetCursorPos(&cursor);
        ScreenToClient(window_.get(), &cursor);
        // A view of the model's own string, which ends in a null.
        const StringView tip = user_.ToolTipAt(cursor.x, cursor.y, Density::AtDpi(static_cast<int>(dpi_)));
        static wchar_t kNone[] = L"";
        info->lpszText =
            tip.empty() ? kNone : const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(tip.data()));
      }
      return 0;
    }
    case WM_DPICHANGED: {
      // Moved to a screen of another density: the same twips in its pixels.
      ApplyDpi(HIWORD(wParam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_.get(), nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
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
