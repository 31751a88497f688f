// Mivello's entry point: hands the project record to the form runtime.
#include "app/project_record.h"
#include "runtime/startup/start_up.h"

int main(int /*argc*/, char** argv) { mivello::RunProject(mivello::MivelloProject(), argv[0]); }
