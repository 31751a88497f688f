// The baseline for the Windows start-up benchmark: a plain Win32 window with
// Form1's text boxes, buttons and labels created directly, no form runtime.
#include <windows.h>

#include "runtime/geometry.h"
#include "ui/form1/content.h"

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const mivello::FormModel form = mivello::Form1Content({});
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"BareWindow";
  RegisterClassExW(&wc);
  RECT frame{0, 0, form.clientRect.width / 15, form.clientRect.height / 15};
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  HWND window = CreateWindowExW(0, L"BareWindow", reinterpret_cast<const wchar_t*>(form.caption.c_str()),
                                kStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const mivello::ControlModel& c : form.controls) {
    const wchar_t* cls = c.kind == mivello::ControlClass::TextBox         ? L"EDIT"
                         : c.kind == mivello::ControlClass::CommandButton ? L"BUTTON"
                         : c.kind == mivello::ControlClass::Label         ? L"STATIC"
                                                                          : nullptr;
    if (cls == nullptr) continue;
    const mivello::PixelRect r = mivello::ToPixels(c.rect);
    HWND child = CreateWindowExW(0, cls, reinterpret_cast<const wchar_t*>(c.caption.c_str()),
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP, r.left, r.top, r.width, r.height, window,
                                 nullptr, instance, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ShowWindow(window, SW_SHOWDEFAULT);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
