#include "runtime/start_program.h"

#include <utility>

#include "runtime/runtime_error.h"

namespace mivello {
namespace {

// The system's, from the start-up; and one standing in for it, from a test.
Launcher& SystemLauncher() {
  static Launcher launcher;
  return launcher;
}
Launcher& CurrentLauncher() {
  static Launcher launcher;
  return launcher;
}

bool EndsWithExe(StringView word) {
  if (word.size() < 4) return false;
  const StringView tail = word.substr(word.size() - 4);
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
  return tail[0] == u'.' && lower(tail[1]) == u'e' && lower(tail[2]) == u'x' && lower(tail[3]) == u'e';
}

}  // namespace

CommandLine SplitCommandLine(StringView line) {
  if (!line.empty() && line.front() == u'"') {
    const std::size_t close = line.find(u'"', 1);
    if (close != StringView::npos) {
      StringView rest = line.substr(close + 1);
      if (!rest.empty() && rest.front() == u' ') rest.remove_prefix(1);
      return {String(line.substr(1, close - 1)), String(rest)};
    }
  }
  std::size_t firstBlank = line.find(u' ');
  for (std::size_t start = 0;;) {
    const std::size_t blank = line.find(u' ', start);
    const std::size_t wordEnd = blank == StringView::npos ? line.size() : blank;
    if (EndsWithExe(line.substr(0, wordEnd))) {
      firstBlank = blank;
      break;
    }
    if (blank == StringView::npos) break;
    start = blank + 1;
  }
  if (firstBlank == StringView::npos) return {String(line), String()};
  return {String(line.substr(0, firstBlank)), String(line.substr(firstBlank + 1))};
}

void SetSystemLauncher(Launcher launcher) { SystemLauncher() = std::move(launcher); }

ScopedLauncher::ScopedLauncher(Launcher launcher) : previous_(std::move(CurrentLauncher())) {
  CurrentLauncher() = std::move(launcher);
}

ScopedLauncher::~ScopedLauncher() { CurrentLauncher() = std::move(previous_); }

double StartProgram(const Variant& commandLine, int style) {
  if (commandLine.type != Variant::kString) Raise(ErrorNumber::TypeMismatch);
  if (style != 0 && style != 1) Raise(ErrorNumber::InvalidProcedureCall);
  const CommandLine line = SplitCommandLine(commandLine.text);
  if (line.program.empty()) Raise(ErrorNumber::FileNotFound);
  const Launcher& launcher = CurrentLauncher() ? CurrentLauncher() : SystemLauncher();
  const double task = launcher ? launcher(line, commandLine.text, static_cast<WindowStyle>(style)) : 0;
  if (task == 0) Raise(ErrorNumber::FileNotFound);
  return task;
}

}  // namespace mivello
