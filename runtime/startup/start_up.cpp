#include "runtime/startup/start_up.h"

#include <cstdlib>

#include "runtime/startup/run_project.h"

namespace mivello {

void RunProject(const ProjectRecord& project, const char* programName) {
  std::unique_ptr<Backend> backend = MakePlatformBackend(programName);
  const int status = RunProjectOn(project, *backend);
  backend.reset();
  std::exit(status);
}

}  // namespace mivello
