// Starting programs on POSIX systems: posix_spawnp, no shell, no waiting.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <string>
#include <vector>

#include "runtime/start_program.h"

extern char** environ;

namespace mivello {
namespace {

// The started programs not yet collected. A SIGCHLD handler collects each
// as it ends, so that none lingers as a zombie while the window runs; it
// waits only for these, never for another part of the process's children.
// Lock-free slots, as a signal handler may touch nothing else.
std::array<std::atomic<pid_t>, 64> started{};

void CollectEnded() noexcept {
  const int savedErrno = errno;
  for (auto& slot : started) {
    pid_t pid = slot.load();
    if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == pid) slot.compare_exchange_strong(pid, 0);
  }
  errno = savedErrno;
}

void OnChildEnded(int /*signal*/) { CollectEnded(); }

void CollectAsTheyEnd() {
  static const bool installed = [] {
    struct sigaction action {};
    action.sa_handler = &OnChildEnded;
    action.sa_flags = SA_RESTART | SA_NOCLDSTOP;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGCHLD, &action, nullptr) == 0;
  }();
  static_cast<void>(installed);
}

void Remember(pid_t pid) {
  for (auto& slot : started) {
    pid_t empty = 0;
    if (slot.compare_exchange_strong(empty, pid)) break;
  }
  // It may have ended before it had a slot: its SIGCHLD found nothing to collect.
  CollectEnded();
}

}  // namespace

double LaunchWithSystem(const CommandLine& line, StringView /*whole*/, WindowStyle /*style*/) {
  CollectAsTheyEnd();
  std::string program = ToUtf8(line.program);
  std::string argument = ToUtf8(line.argument);
  std::vector<char*> argv{program.data()};
  if (!line.argument.empty()) argv.push_back(argument.data());
  argv.push_back(nullptr);

  // Window styles have no meaning to a POSIX exec; the desktop's opener
  // decides how the browser shows.
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return 0;
  Remember(pid);
  return static_cast<double>(pid);
}

}  // namespace mivello
