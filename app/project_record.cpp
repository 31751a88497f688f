#include "app/project_record.h"

#include "app/form1_block.h"
#include "ui/form1/events.h"
#include "ui/form1/ids.h"
#include "ui/form1/picture_words.h"
#include "ui/stored_form/reader.h"

namespace mivello {

const ProjectRecord& MivelloProject() {
  static const FormTableEntry forms[] = {
      {"Form1", stored::Form1Block(), kForm1Id, kForm1SecondId, Form1Events(), Form1PictureWords()},
  };
  static const ProjectRecord record{
      .projectName = "Mivello",
      .secondName = "Mivello",
      .executableName = "工程1",
      .helpFile = "",
      .startupForm = "Form1",
      .forms = forms,
      .readForm = &ReadStoredForm,
      .locale = 2052,  // Chinese (PRC)
      .languageLibrary = "vb6chs.dll",
      .threading = Threading::SingleThreaded,
  };
  return record;
}

}  // namespace mivello
