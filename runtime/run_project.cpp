#include "runtime/run_project.h"

#include <string>

namespace mivello {
namespace {

const FormTableEntry& StartupEntry(const ProjectRecord& project) {
  for (const FormTableEntry& entry : project.forms) {
    if (entry.name == project.startupForm) return entry;
  }
  throw StartupError("the start-up form " + std::string(project.startupForm) +
                     " is not in the project's window table");
}

}  // namespace

ProjectSession::ProjectSession(const ProjectRecord& project, Backend& backend) {
  const FormTableEntry& entry = StartupEntry(project);
  if (entry.load == nullptr) throw StartupError("no reader for form " + std::string(entry.name));
  form_ = std::make_unique<Form>(entry.load(entry));
  for (const PictureWords& picture : entry.pictureWords)
    form_->SetPictureWords(picture.control, picture.words);
  events_.emplace(*form_, entry.events,
                  [&backend, title = FromUtf8(project.projectName)](const RuntimeError& error) {
                    backend.ShowMessage(title, UntrappedErrorText(error));
                  });
  backend.Build(*form_, *events_);
}

int RunProjectOn(const ProjectRecord& project, Backend& backend) {
  std::optional<ProjectSession> session;
  try {
    session.emplace(project, backend);
  } catch (const StartupError& error) {
    backend.ReportStartupFailure(FromUtf8(project.projectName), error.what());
    return 1;
  }
  return backend.Run();
}

}  // namespace mivello
