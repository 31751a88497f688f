#include "app/project_record.h"

#include "ui/assets.h"
#include "ui/form1_content.h"
#include "ui/form1_events.h"

namespace mivello {
namespace {

FormModel LoadForm1(const FormTableEntry& /*entry*/) {
  return Form1Content({assets::WindowIcon(), assets::WangwangBadge(), assets::QqBadge()});
}

const FormTableEntry kForms[] = {
    {"Form1", {}, {}, {}, &LoadForm1, Form1Events()},
};

}  // namespace

const ProjectRecord& MivelloProject() {
  static const ProjectRecord record{
      .projectName = "Mivello",
      .secondName = "Mivello",
      .executableName = "工程1",
      .helpFile = "",
      .startupForm = "Form1",
      .forms = kForms,
      .locale = 2052,  // Chinese (PRC)
      .languageLibrary = "vb6chs.dll",
      .threading = Threading::SingleThreaded,
  };
  return record;
}

}  // namespace mivello
