#include "runtime/startup/run_project.h"

#include <string>

#include "runtime/startup/diagnostic.h"
#include "runtime/system/launch.h"

namespace mivello {

String StartupFailureText(std::string_view message) { return u"程序无法启动：" + FromUtf8(message); }

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
  SetDiagnosticName(project.projectName);
  SetSystemLauncher(LaunchWithSystem);
  const FormTableEntry& entry = StartupEntry(project);
  if (project.readForm == nullptr) throw StartupError("no reader for form " + std::string(entry.name));
  form_ = std::make_unique<Form>(project.readForm(entry));
  for (const PictureWords& picture : entry.pictureWords)
    form_->SetPictureWords(picture.control, picture.words);
  events_.emplace(*form_, entry.events,
                  [&backend, title = FromUtf8(project.projectName)](const RuntimeError& error) {
                    backend.ShowMessage(title, UntrappedErrorText(error));
                  });
  backend.Build(*form_, *events_);
  // A link the desktop's opener could not open is told as the runtime tells
  // a program it cannot start, naming the link so that it can be copied.
  if (const int ended = ProgramEndSignal(); ended >= 0) {
    backend.WhenReadable(ended, [this] {
      for (const String& link : CollectLinksNotOpened())
        events_->Report(
            RuntimeError(static_cast<std::int32_t>(ErrorNumber::FileNotFound), u"无法打开链接：" + link));
    });
  }
}

int RunProjectOn(const ProjectRecord& project, Backend& backend) {
  std::optional<ProjectSession> session;
  try {
    session.emplace(project, backend);
  } catch (const std::exception& error) {
    // The window cannot be built, whatever stopped it (a damaged form, a
    // missing converter for its texts). On a bare terminal the line on
    // stderr is all there is.
    WriteDiagnostic(error.what());
    backend.ReportStartupFailure(FromUtf8(project.projectName), error.what());
    return 1;
  }
  return backend.Run();
}

}  // namespace mivello
