// Starting programs on Windows: CreateProcessW with the program path given
// explicitly, so that no shorter prefix of a path with blanks is ever tried,
// and the command line handed over unchanged. Where Internet Explorer is not
// there, its link goes to the shell's handler for the link's scheme.
#include "runtime/system/launch.h"

#include <windows.h>
// After windows.h:
#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "runtime/system/browser_stand_in.h"

namespace mivello {
namespace {

int ShowCommand(WindowStyle style) { return style == WindowStyle::Hidden ? SW_HIDE : SW_SHOWNORMAL; }

// The shell, loaded from the system folder the first time a link needs it:
// most runs never start a link, and loading it at start-up costs every run
// its time. Kept for the life of the process.
using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
ShellExecuteExFn ShellExecuteExFromTheSystem() {
  static const ShellExecuteExFn function = []() -> ShellExecuteExFn {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    HMODULE shell = LoadLibraryW((std::wstring(folder, length) + L"\\shell32.dll").c_str());
    return shell == nullptr ? nullptr
                            : reinterpret_cast<ShellExecuteExFn>(
                                  reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteExW")));
  }();
  return function;
}

// A handler may be a COM object, and ShellExecuteExW asks for an apartment
// with OLE1 DDE off; the window's thread keeps it until the program ends.
void StartComForTheShell() {
  struct Apartment {
    bool started = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    ~Apartment() {
      if (started) CoUninitialize();
    }
  };
  static Apartment apartment;
}

// The link to the handler of its scheme, with the style asked for; the
// shell shows no box of its own, the runtime tells a failure.
double OpenWithSchemeHandler(const String& link, WindowStyle style) {
  const ShellExecuteExFn shellExecuteEx = ShellExecuteExFromTheSystem();
  if (shellExecuteEx == nullptr) return 0;
  StartComForTheShell();
  const std::wstring file(link.begin(), link.end());
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  execute.lpVerb = L"open";
  execute.lpFile = file.c_str();
  execute.nShow = ShowCommand(style);
  if (!shellExecuteEx(&execute)) return 0;
  if (execute.hProcess == nullptr) return 1;  // a handler already running took it: no process of its own
  const DWORD id = GetProcessId(execute.hProcess);
  CloseHandle(execute.hProcess);
  return id != 0 ? static_cast<double>(id) : 1;
}

}  // namespace

double LaunchWithSystem(const CommandLine& line, StringView whole, WindowStyle style) {
  const std::wstring program(line.program.begin(), line.program.end());
  std::wstring commandLine(whole.begin(), whole.end());  // CreateProcessW may write to it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(ShowCommand(style));
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    const DWORD error = GetLastError();
    const bool absent = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    const std::optional<String> link = absent ? LinkForSchemeHandler(line) : std::nullopt;
    return link ? OpenWithSchemeHandler(*link, style) : 0;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<double>(process.dwProcessId);
}

// A program that cannot be started is known at once, from CreateProcessW:
// nothing is watched afterwards.
int ProgramEndSignal() { return -1; }

std::vector<String> CollectLinksNotOpened() { return {}; }

}  // namespace mivello
