#pragma once
// Starting programs with the system's own means, without waiting for them.
#include <vector>

#include "runtime/start_program.h"

namespace mivello {

// The system's own launcher for this platform.
double LaunchWithSystem(const CommandLine& line, StringView whole, WindowStyle style);

// A descriptor that becomes readable when a program started by the system's
// launcher has ended, or there is more to say of one; -1 where nothing is
// watched (Windows, where a program that cannot be started is known at once).
int ProgramEndSignal();

// Collects every program started by the system's launcher that has ended,
// and returns the links that the desktop's opener could not open, in the
// order they were clicked (runtime/system/link_outcomes.h).
std::vector<String> CollectLinksNotOpened();

}  // namespace mivello
