#pragma once
#include <memory>
#include <optional>

#include "runtime/startup/backend.h"
#include "runtime/startup/project.h"

namespace mivello {

// The start-up form of a project, read, built on a backend and wired to its
// procedures. Throws StartupError when the form cannot be built.
class ProjectSession {
 public:
  ProjectSession(const ProjectRecord& project, Backend& backend);
  ProjectSession(const ProjectSession&) = delete;
  ProjectSession& operator=(const ProjectSession&) = delete;

  Form& TheForm() { return *form_; }
  const EventDispatcher& Events() const { return *events_; }

 private:
  std::unique_ptr<Form> form_;
  std::optional<EventDispatcher> events_;
};

// Builds the start-up form of `project` on `backend`, runs its event loop
// and returns the exit status: 0 when the user closed the window, 1 when the
// window could not be built (reported through the backend).
int RunProjectOn(const ProjectRecord& project, Backend& backend);

}  // namespace mivello
