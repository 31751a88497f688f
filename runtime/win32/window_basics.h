#pragma once
// What the form's window asks of the system: its density, its font, its
// class and its tooltip; and the runtime's text as the W functions take it.
#include <windows.h>

#include <string>

#include "runtime/string.h"
#include "runtime/win32/handles.h"

namespace mivello::win32 {

// The runtime's UTF-16 text as a wide string with its ending null.
inline std::wstring Wide(StringView text) { return std::wstring(text.begin(), text.end()); }

// The window's dots per inch: per window where Windows knows it, else the system's.
UINT WindowDpi(HWND window);

// The outer size of a window with `style` whose client area is `client`,
// with the frame it has at `dpi` where the system tells (Windows 10 1607
// and later), else the frame at the system's DPI.
SIZE FrameAround(SIZE client, DWORD style, DWORD exStyle, UINT dpi);

// The system's message font face at 9 points for `dpi`: the default Chinese
// UI font on a Chinese system.
UniqueFont DefaultFont(UINT dpi);

// Registers the class the first time; throws StartupError when it cannot.
void RegisterClassOnce(HINSTANCE instance, const wchar_t* className, WNDPROC procedure);

// One tooltip tool over the whole client area of `window`, which the window
// owns; its text is asked for where the mouse is. Null when it cannot be made.
HWND CreateToolTip(HWND window);
// Moves the tool to `client`, the window's client area at its new density.
void PlaceToolTip(HWND toolTip, HWND window, const RECT& client);

}  // namespace mivello::win32
