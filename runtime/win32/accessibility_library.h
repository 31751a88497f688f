#pragma once
// The system's accessibility library, oleacc, loaded from the system folder
// the first time a tool asks the window for its accessible object: most runs
// meet no such tool, and loading it at start-up costs every run its time.
#include <oleacc.h>
#include <windows.h>

namespace mivello::win32 {

// As the library's functions of the same names; E_FAIL, and no object, where
// the library cannot be had.
HRESULT StdAccessibleObject(HWND window, LONG objectId, REFIID iid, void** object);
LRESULT ResultFromObject(REFIID iid, WPARAM wParam, IUnknown* object);
HRESULT ObjectFromWindow(HWND window, DWORD objectId, REFIID iid, void** object);

}  // namespace mivello::win32
