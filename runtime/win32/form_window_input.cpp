// The Win32 form's input: mouse, keys, focus and tooltip messages, each
// translated into the runtime's interaction model, which decides.
#include "runtime/win32/form_window.h"
// After windows.h:
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

namespace mivello::win32 {
namespace {

// A mouse message's client point; negative beyond the left or top edge while captured.
POINT PointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

// The native edit control keeps a press on its 3D border to itself and does
// nothing with it, while the runtime says a text box takes its whole
// rectangle: there the border is inside, and a press on it is a press at the
// nearest point within, focus and caret as Windows puts them there.
LRESULT CALLBACK FormWindow::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR control,
                                      DWORD_PTR self) noexcept {
  switch (message) {
    case WM_NCHITTEST: {
      // The border is HTBORDER to Windows, HTNOWHERE to Wine.
      const LRESULT hit = DefSubclassProc(edit, message, wParam, lParam);
      if (hit == HTCLIENT || hit == HTTRANSPARENT || hit == HTERROR) return hit;
      const auto* form = reinterpret_cast<const FormWindow*>(self);
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(form->window_.get(), &at);
      return form->ElementAt(at) == control ? HTCLIENT : hit;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
      RECT inside;
      GetClientRect(edit, &inside);
      const POINT at = PointOf(lParam);
      lParam = MAKELPARAM(std::clamp(at.x, inside.left, std::max(inside.left, inside.right - 1)),
                          std::clamp(at.y, inside.top, std::max(inside.top, inside.bottom - 1)));
      break;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, &EditProc, control);
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR control, DWORD_PTR self) noexcept {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(button, &ButtonProc, control);
  const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
  // Once the button has drawn its focus, as a text box's EN_SETFOCUS comes.
  if (message == WM_SETFOCUS) reinterpret_cast<FormWindow*>(self)->user_.FocusMoved(control);
  return result;
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

std::optional<LRESULT> FormWindow::HandleInput(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      if (LOWORD(wParam) < kFirstControlId) return 0;
      const auto control = static_cast<std::size_t>(LOWORD(wParam) - kFirstControlId);
      // A button clicked by the mouse, for the runtime to decide; its keys
      // are the runtime's (TranslateKey).
      if (HIWORD(wParam) == BN_CLICKED) user_.Click(control, ClickSource::NativeControl);
      if (HIWORD(wParam) == EN_SETFOCUS) user_.FocusMoved(control);
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
  }
  return std::nullopt;
}

}  // namespace mivello::win32
