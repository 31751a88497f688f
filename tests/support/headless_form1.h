#pragma once
// Form1 on the headless backend, as the program builds it, for procedure tests.
#include "app/project_record.h"
#include "runtime/headless/headless_backend.h"
#include "runtime/startup/run_project.h"

namespace mivello::testing_support {

struct HeadlessForm1 {
  // No procedure left a reference behind.
  bool AllReleased() {
    Form& form = session.TheForm();
    if (form.References() != 0) return false;
    for (const Control& c : form.Controls()) {
      if (c.References() != 0) return false;
    }
    return true;
  }

  HeadlessBackend window;
  ProjectSession session{MivelloProject(), window};
};

}  // namespace mivello::testing_support
