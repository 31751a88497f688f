#pragma once
#include "runtime/startup/project.h"

namespace mivello {

// Mivello's project record: one window, Form1, started first.
const ProjectRecord& MivelloProject();

}  // namespace mivello
