// Starting programs on Windows: CreateProcessW with the program path given
// explicitly, so that no shorter prefix of a path with blanks is ever tried,
// and the command line handed over unchanged.
#include "runtime/system/launch.h"

#include <windows.h>

namespace mivello {

double LaunchWithSystem(const CommandLine& line, StringView whole, WindowStyle style) {
  const std::wstring program(line.program.begin(), line.program.end());
  std::wstring commandLine(whole.begin(), whole.end());  // CreateProcessW may write to it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(style == WindowStyle::Hidden ? SW_HIDE : SW_SHOWNORMAL);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return 0;
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
