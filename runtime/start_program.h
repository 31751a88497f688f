#pragma once
// Starting another program from a command line, without waiting for it.
#include <cstdint>
#include <functional>

#include "runtime/string.h"

namespace mivello {

// The tagged value that hands a command line to StartProgram. Only the
// String kind is used, so only that kind exists here.
struct Variant {
  static constexpr std::uint16_t kString = 8;
  std::uint16_t type = kString;
  String text;
};

// The copy a procedure owns; it is freed when the copy leaves scope.
inline Variant vbaVarDup(const Variant& source) { return source; }

enum class WindowStyle : int { Hidden = 0, NormalFocus = 1 };

// A command line split into the program and what follows it.
struct CommandLine {
  String program;
  String argument;  // the rest of the line after one blank, unchanged; may be empty
  friend bool operator==(const CommandLine&, const CommandLine&) = default;
};

// Tells the program from its argument. A quoted program ends at its closing
// quote. Otherwise the program is the shortest run of blank-separated words
// that ends in ".exe", so a path with blanks is taken whole and never cut
// short; a line without ".exe" ends the program at its first blank.
CommandLine SplitCommandLine(StringView line);

// Starts `line.program` with `line.argument` as its one argument; returns the
// task id, or 0 when the program could not be started.
using Launcher = std::function<double(const CommandLine& line, StringView whole, WindowStyle style)>;

// The launcher that StartProgram uses: the system's own, which the start-up
// installs (runtime/system/launch.h); until then nothing can be started.
void SetSystemLauncher(Launcher launcher);

// Replaces the launcher while it lives (tests record instead of starting).
class ScopedLauncher {
 public:
  explicit ScopedLauncher(Launcher launcher);
  ~ScopedLauncher();
  ScopedLauncher(const ScopedLauncher&) = delete;
  ScopedLauncher& operator=(const ScopedLauncher&) = delete;

 private:
  Launcher previous_;
};

// Starts the command line held by `commandLine` with `style` and returns its
// task id. Raises 53 when the program cannot be started, 5 for a style other
// than 0 or 1 and 13 when the Variant holds no text.
double StartProgram(const Variant& commandLine, int style);

}  // namespace mivello
