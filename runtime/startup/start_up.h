#pragma once
// The program's start-up entry.
#include "runtime/startup/project.h"

namespace mivello {

// Runs the project on the platform's backend and ends the process when the
// window closes. The program name is the only thing of the command line
// handed to the window system. Defined beside each program's backend
// (start_up.cpp), which makes the platform's backend.
[[noreturn]] void RunProject(const ProjectRecord& project, const char* programName);

}  // namespace mivello
