#include "app/project_record.h"

#include <cstdint>
#include <span>

#include "ui/form1_events.h"
#include "ui/form1_ids.h"
#include "ui/form1_pictures.h"
#include "ui/form_reader.h"

namespace mivello {
namespace stored {
std::span<const std::uint8_t> Form1Block();  // generated at build time
}

const ProjectRecord& MivelloProject() {
  static const FormTableEntry forms[] = {
      {"Form1", stored::Form1Block(), kForm1Id, kForm1SecondId, &LoadStoredForm, Form1Events(),
       Form1PictureWords()},
  };
  static const ProjectRecord record{
      .projectName = "Mivello",
      .secondName = "Mivello",
      .executableName = "工程1",
      .helpFile = "",
      .startupForm = "Form1",
      .forms = forms,
      .locale = 2052,  // Chinese (PRC)
      .languageLibrary = "vb6chs.dll",
      .threading = Threading::SingleThreaded,
  };
  return record;
}

}  // namespace mivello
