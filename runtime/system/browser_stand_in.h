#pragma once
// What stands in for a browser that is not there: Windows 10 and 11 no longer
// have Internet Explorer as a program of its own (its iexplore.exe hands links
// to Edge, or has been removed), so a browser's link can go to the system's
// handler for the link's scheme instead.
#include <optional>

#include "runtime/start_program.h"

namespace mivello {

// The link that `line` hands its browser, for the handler of its scheme:
// where the program is Internet Explorer (iexplore.exe in any folder) and
// the argument is one link that begins with a scheme of two or more
// characters ("http:", "tencent:"; "C:" is a drive). Nothing otherwise: any
// other program that cannot be started stays a program that cannot.
std::optional<String> LinkForSchemeHandler(const CommandLine& line);

}  // namespace mivello
