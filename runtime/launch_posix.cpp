// Starting programs on POSIX systems: posix_spawnp, no shell, no waiting.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "runtime/start_program.h"

extern char** environ;

namespace mivello {
namespace {

// Children are not waited for, but the ones that have ended are collected
// at the next start so that none lingers as a zombie.
std::vector<pid_t>& Started() {
  static std::vector<pid_t> started;
  return started;
}

void CollectEnded() {
  auto& started = Started();
  std::erase_if(started, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

}  // namespace

double LaunchWithSystem(const CommandLine& line, StringView /*whole*/, WindowStyle /*style*/) {
  CollectEnded();
  std::string program = ToUtf8(line.program);
  std::string argument = ToUtf8(line.argument);
  std::vector<char*> argv{program.data()};
  if (!line.argument.empty()) argv.push_back(argument.data());
  argv.push_back(nullptr);

  // Window styles have no meaning to a POSIX exec; the desktop's opener
  // decides how the browser shows.
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return 0;
  Started().push_back(pid);
  return static_cast<double>(pid);
}

}  // namespace mivello
