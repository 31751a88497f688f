// The floors for the Windows start-up benchmark: a plain Win32 window with
// Form1's text boxes, buttons and labels created directly, no form runtime;
// and, built with MIVELLO_FAIR_FLOOR, the fair floor, which also shows the
// icon and the two badges, decoded by the OLE picture loader that the
// program uses and painted by the window. Both carry the program's manifest
// (floor.rc): the same common controls, so the same buttons and text boxes.
#include <windows.h>

#include <vector>

#include "runtime/window_model/geometry.h"
#include "ui/form1/content.h"
#if MIVELLO_FAIR_FLOOR
#include "bench_assets.h"
#include "runtime/win32/pictures.h"
#endif

namespace {

#if MIVELLO_FAIR_FLOOR
struct Badge {
  mivello::win32::ComPtr<IPicture> picture;
  mivello::PixelRect at;
};
std::vector<Badge> badges;
#endif

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
#if MIVELLO_FAIR_FLOOR
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    for (const Badge& b : badges)
      mivello::win32::DrawPicture(b.picture.Get(), dc, b.at.left, b.at.top, b.at.width, b.at.height);
    EndPaint(window, &ps);
    return 0;
  }
#endif
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#if MIVELLO_FAIR_FLOOR
  const mivello::FormModel form =
      mivello::Form1Content({mivello::bench::Icon(), mivello::bench::Wangwang(), mivello::bench::Qq()});
#else
  const mivello::FormModel form = mivello::Form1Content({});
#endif
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
#if MIVELLO_FAIR_FLOOR
  mivello::win32::UniqueIcon big = mivello::win32::IconFromFile(form.icon, GetSystemMetrics(SM_CXICON));
  mivello::win32::UniqueIcon small = mivello::win32::IconFromFile(form.icon, GetSystemMetrics(SM_CXSMICON));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
#endif
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const mivello::ControlModel& c : form.controls) {
    const mivello::PixelRect r = mivello::ToPixels(c.rect);
#if MIVELLO_FAIR_FLOOR
    if (c.kind == mivello::ControlClass::Picture) {
      badges.push_back({mivello::win32::LoadPicture(c.picture), r});
      continue;
    }
#endif
    const wchar_t* cls = c.kind == mivello::ControlClass::TextBox         ? L"EDIT"
                         : c.kind == mivello::ControlClass::CommandButton ? L"BUTTON"
                         : c.kind == mivello::ControlClass::Label         ? L"STATIC"
                                                                          : nullptr;
    if (cls == nullptr) continue;
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
#if MIVELLO_FAIR_FLOOR
  badges.clear();
#endif
  return 0;
}
