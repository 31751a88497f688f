#pragma once
// What the Win32 drivers do as a user's automation would: find the window by
// its caption, type, press keys, click through the program's queue or the
// system's input, read what the window shows, and count the checks.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace driving {

inline int passed = 0;
inline int failed = 0;

inline std::string Utf8(const std::wstring& text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), bytes, nullptr,
                      nullptr);
  return out;
}

inline std::wstring WideFromUtf8(std::string_view utf8) {
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), units);
  return out;
}

inline void Expect(bool ok, const char* what, const std::wstring& got = L"") {
  (ok ? passed : failed)++;
  std::printf("%s: %s%s%s\n", ok ? "ok" : "FAILED", what, got.empty() ? "" : " -> ", Utf8(got).c_str());
  std::fflush(stdout);
}

inline std::wstring TextOf(HWND window) {
  wchar_t buffer[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

inline HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 50) {
    if (HWND window = FindWindowW(className, caption)) return window;
    Sleep(50);
  }
  return nullptr;
}

// The edit boxes from left to right.
inline std::vector<HWND> Edits(HWND main) {
  std::vector<HWND> edits;
  for (HWND child = nullptr; (child = FindWindowExW(main, child, L"Edit", nullptr)) != nullptr;)
    edits.push_back(child);
  std::sort(edits.begin(), edits.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return edits;
}

inline void Type(HWND edit, const std::wstring& text) {
  for (wchar_t c : text) PostMessageW(edit, WM_CHAR, c, 1);
  for (int i = 0; i < 100 && TextOf(edit).size() < text.size(); ++i) Sleep(20);
}

inline HWND Focused(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// A key pressed on the focused control, through the program's own queue.
inline void Press(DWORD thread, WPARAM key) {
  HWND target = Focused(thread);
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
  Sleep(200);
}

// Presses OK on a message box once it is ready, and waits until it is gone.
inline void Dismiss(HWND box) {
  Sleep(300);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
  Sleep(200);
}

inline void Clear(HWND edit) { SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")); }

// A mouse click at a client point given in pixels at 96 dots per inch.
inline void ClickAt(HWND main, int x, int y) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const LPARAM at = MAKELPARAM(MulDiv(x, dpi, 96), MulDiv(y, dpi, 96));
  PostMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(main, WM_LBUTTONUP, 0, at);
  Sleep(300);
}

// Clicks of the real mouse at a client pixel, through the system's input
// queue: the window system, not the driver, decides which window a press
// reaches and whether a second press is a double-click.
inline void RealClicksAt(HWND main, int x, int y, int clicks) {
  POINT at{x, y};
  ClientToScreen(main, &at);
  SetForegroundWindow(main);
  SetCursorPos(at.x, at.y);
  Sleep(200);
  std::vector<INPUT> inputs(2 * static_cast<std::size_t>(clicks));
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(clicks > 1 ? GetDoubleClickTime() + 300 : 300);
}

// A double-click at a client point given in pixels at 96 dots per inch.
inline void DoubleClickAt(HWND main, int x, int y) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  RealClicksAt(main, MulDiv(x, dpi, 96), MulDiv(y, dpi, 96), 2);
}

// Starts PROGRAM and waits for its window; the checks' closing line and
// status come from Finish.
struct Started {
  PROCESS_INFORMATION process{};
  HWND main = nullptr;
};

inline Started Start(const std::wstring& program, const std::wstring& caption) {
  Started started;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started.process)) {
    std::printf("cannot start the program\n");
    return started;
  }
  started.main = WaitForWindow(nullptr, caption.c_str(), 30000);
  Expect(started.main != nullptr, "the window appears with its caption");
  if (started.main != nullptr) Sleep(500);
  return started;
}

// Closes the window, checks that the program ends, and prints the closing line.
inline int Finish(Started& started) {
  if (started.main != nullptr) PostMessageW(started.main, WM_CLOSE, 0, 0);
  if (started.process.hProcess != nullptr) {
    Expect(WaitForSingleObject(started.process.hProcess, 10000) == WAIT_OBJECT_0,
           "closing the window ends the program");
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 && started.main != nullptr ? 0 : 1;
}

}  // namespace driving
