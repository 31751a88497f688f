#pragma once
// Lines on stderr that name the program as its project record does: what a
// user on a terminal sees of a fault that the window cannot show.
#include <string_view>

namespace mivello {

// Set once the project is known (at start-up); until then lines carry no name.
void SetDiagnosticName(std::string_view name);

// Writes "name: message" and a newline to stderr.
void WriteDiagnostic(std::string_view message) noexcept;

}  // namespace mivello
