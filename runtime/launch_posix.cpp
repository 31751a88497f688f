// Starting programs on POSIX systems: posix_spawnp, no shell, no waiting.
// Each started program is collected when it ends, so that none lingers as a
// zombie while the window runs, and one that ends with a failure (the
// desktop's opener could not open its link) is reported.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "runtime/start_program.h"

extern char** environ;

namespace mivello {
namespace {

// Written by the SIGCHLD handler, read by the window's thread: a byte
// means "a child has ended". The handler does nothing else, as a signal
// handler may touch nothing but this.
std::array<int, 2> endSignal{-1, -1};

void OnChildEnded(int /*signal*/) {
  const int savedErrno = errno;
  const char byte = 0;
  static_cast<void>(write(endSignal[1], &byte, 1));  // a full pipe is signal enough
  errno = savedErrno;
}

bool WatchChildren() {
  static const bool watching = [] {
    if (pipe2(endSignal.data(), O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = &OnChildEnded;
    action.sa_flags = SA_RESTART | SA_NOCLDSTOP;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGCHLD, &action, nullptr) == 0;
  }();
  return watching;
}

// The programs started and not yet collected, with what they were given.
// Only the window's thread touches it; it waits only for these, never for
// another part of the process's children.
std::vector<std::pair<pid_t, CommandLine>>& Started() {
  static std::vector<std::pair<pid_t, CommandLine>> started;
  return started;
}

}  // namespace

double LaunchWithSystem(const CommandLine& line, StringView /*whole*/, WindowStyle /*style*/) {
  WatchChildren();
  std::string program = ToUtf8(line.program);
  std::string argument = ToUtf8(line.argument);
  std::vector<char*> argv{program.data()};
  if (!line.argument.empty()) argv.push_back(argument.data());
  argv.push_back(nullptr);

  // Window styles have no meaning to a POSIX exec; the desktop's opener
  // decides how the browser shows.
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return 0;
  Started().emplace_back(pid, line);
  return static_cast<double>(pid);
}

int ProgramEndSignal() { return WatchChildren() ? endSignal[0] : -1; }

std::vector<CommandLine> CollectEndedPrograms() {
  char bytes[64];
  if (endSignal[0] >= 0) {
    while (read(endSignal[0], bytes, sizeof bytes) > 0) {
    }
  }
  std::vector<CommandLine> failed;
  auto& started = Started();
  for (auto it = started.begin(); it != started.end();) {
    int status = 0;
    const pid_t ended = waitpid(it->first, &status, WNOHANG);
    if (ended == 0 || (ended < 0 && errno == EINTR)) {
      ++it;
      continue;
    }
    // Ended (or already collected elsewhere): a non-zero exit is a failure
    // of the program itself; one ended by a signal was stopped by someone.
    if (ended == it->first && WIFEXITED(status) && WEXITSTATUS(status) != 0) failed.push_back(it->second);
    it = started.erase(it);
  }
  return failed;
}

}  // namespace mivello
