// The start-up entry, kept apart so that only programs with a window system
// link it: it needs the platform backend.
#include <cstdlib>

#include "runtime/run_project.h"

namespace mivello {

void RunProject(const ProjectRecord& project, const char* programName) {
  std::unique_ptr<Backend> backend = MakePlatformBackend(programName);
  const int status = RunProjectOn(project, *backend);
  backend.reset();
  std::exit(status);
}

}  // namespace mivello
