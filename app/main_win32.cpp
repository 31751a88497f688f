// Mivello's entry point on Windows: hands the project record to the form runtime.
#include <windows.h>

#include "app/project_record.h"
#include "runtime/startup/start_up.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int /*show*/) {
  mivello::RunProject(mivello::MivelloProject(), "工程1");
}
