#include "runtime/win32/accessibility_library.h"

#include <string>

namespace mivello::win32 {
namespace {

template <typename Function>
Function Find(HMODULE module, const char* name) {
  return module == nullptr
             ? nullptr
             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

struct Library {
  using CreateFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
  using ResultFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  using FromWindowFn = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);

  // By its full path, so that no oleacc.dll beside the program or in the
  // working folder is taken for the system's.
  static HMODULE Load() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return LoadLibraryW((std::wstring(folder, length) + L"\\oleacc.dll").c_str());
  }

  // Kept for the life of the process: the objects it makes may be held by a
  // tool until the very end.
  HMODULE module = Load();
  CreateFn create = Find<CreateFn>(module, "CreateStdAccessibleObject");
  ResultFn result = Find<ResultFn>(module, "LresultFromObject");
  FromWindowFn fromWindow = Find<FromWindowFn>(module, "AccessibleObjectFromWindow");
};

const Library& TheLibrary() {
  static const Library library;
  return library;
}

}  // namespace

HRESULT StdAccessibleObject(HWND window, LONG objectId, REFIID iid, void** object) {
  if (object != nullptr) *object = nullptr;
  const Library& library = TheLibrary();
  return library.create != nullptr ? library.create(window, objectId, iid, object) : E_FAIL;
}

LRESULT ResultFromObject(REFIID iid, WPARAM wParam, IUnknown* object) {
  const Library& library = TheLibrary();
  return library.result != nullptr ? library.result(iid, wParam, object) : static_cast<LRESULT>(E_FAIL);
}

HRESULT ObjectFromWindow(HWND window, DWORD objectId, REFIID iid, void** object) {
  if (object != nullptr) *object = nullptr;
  const Library& library = TheLibrary();
  return library.fromWindow != nullptr ? library.fromWindow(window, objectId, iid, object) : E_FAIL;
}

}  // namespace mivello::win32
