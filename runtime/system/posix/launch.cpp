// Starting programs on POSIX systems: posix_spawnp, no shell, no waiting.
// Each started program is collected when it ends, so that none lingers as a
// zombie while the window runs. A link that the desktop's opener could not
// open is reported, never what the browser did once it had the link
// (runtime/system/link_outcomes.h says how the two are told apart).
#include "runtime/system/launch.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/epoll.h>
#include <sys/timerfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/system/link_outcomes.h"

extern char** environ;

namespace mivello {
namespace {

// Written by the SIGCHLD handler, read by the window's thread: a byte
// means "a child has ended". The handler does nothing else, as a signal
// handler may touch nothing but this.
std::array<int, 2> endSignal{-1, -1};
// Ends a failure's wait for the links clicked before it (LinkOutcomes::kHold).
int holdTimer = -1;
// Readable when either of the two is: what the window's loop watches.
int watched = -1;

void OnChildEnded(int /*signal*/) {
  const int savedErrno = errno;
  const char byte = 0;
  static_cast<void>(write(endSignal[1], &byte, 1));  // a full pipe is signal enough
  errno = savedErrno;
}

bool Watch(int descriptor) {
  epoll_event event{};
  event.events = EPOLLIN;
  event.data.fd = descriptor;
  return epoll_ctl(watched, EPOLL_CTL_ADD, descriptor, &event) == 0;
}

bool WatchChildren() {
  static const bool watching = [] {
    if (pipe2(endSignal.data(), O_CLOEXEC | O_NONBLOCK) != 0) return false;
    holdTimer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
    watched = epoll_create1(EPOLL_CLOEXEC);
    if (holdTimer < 0 || watched < 0 || !Watch(endSignal[0]) || !Watch(holdTimer)) return false;
    struct sigaction action {};
    action.sa_handler = &OnChildEnded;
    action.sa_flags = SA_RESTART | SA_NOCLDSTOP;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGCHLD, &action, nullptr) == 0;
  }();
  return watching;
}

// A program this launcher started, until it is collected: an opener with
// its link, or xdg-mime asked about the link's scheme after the opener's
// status 4, with its output on a pipe. Only the window's thread touches
// them; it waits only for these, never for another part of the process's
// children.
struct Child {
  pid_t pid;
  std::size_t link;
  std::string argument;  // an opener's link
  int output = -1;       // xdg-mime's standard output; -1 for an opener
};

std::vector<Child>& Children() {
  static std::vector<Child> children;
  return children;
}

LinkOutcomes& Outcomes() {
  static LinkOutcomes outcomes;
  return outcomes;
}

// Starts `argv` with its standard output on `output` when it is given.
pid_t Spawn(std::vector<char*> argv, int output = -1) {
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (output >= 0) posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : 0;
}

// Asks the desktop for its handler of the link's scheme, without waiting.
bool AskForHandler(std::size_t link, const std::string& argument, std::vector<Child>& into) {
  const std::string_view scheme = SchemeOf(argument);
  if (scheme.empty()) return false;
  std::array<int, 2> output{};
  if (pipe2(output.data(), O_CLOEXEC) != 0) return false;
  std::string program = "xdg-mime", query = "query", what = "default";
  std::string type = "x-scheme-handler/" + std::string(scheme);
  const pid_t pid = Spawn({program.data(), query.data(), what.data(), type.data()}, output[1]);
  close(output[1]);
  if (pid == 0) {
    close(output[0]);
    return false;
  }
  fcntl(output[0], F_SETFL, O_NONBLOCK);
  into.push_back({pid, link, {}, output[0]});
  return true;
}

// All that a program that has ended wrote on the pipe (a line at most).
std::string ReadAll(int descriptor) {
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = read(descriptor, buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<std::size_t>(n));
  close(descriptor);
  return text;
}

void ArmHoldTimer() {
  itimerspec when{};
  if (const auto end = Outcomes().NextHoldEnd()) {
    const auto left = std::max(*end - LinkOutcomes::Clock::now(), LinkOutcomes::Clock::duration(1));
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
    when.it_value.tv_sec = static_cast<time_t>(seconds.count());
    when.it_value.tv_nsec = static_cast<long>(std::chrono::nanoseconds(left - seconds).count());
  }
  timerfd_settime(holdTimer, 0, &when, nullptr);  // all zero: disarmed
}

}  // namespace

double LaunchWithSystem(const CommandLine& line, StringView /*whole*/, WindowStyle /*style*/) {
  WatchChildren();
  std::string program = ToUtf8(line.program);
  std::string argument = ToUtf8(line.argument);
  std::vector<char*> argv{program.data()};
  if (!line.argument.empty()) argv.push_back(argument.data());
  // Window styles have no meaning to a POSIX exec; the desktop's opener
  // decides how the browser shows.
  const pid_t pid = Spawn(argv);
  if (pid == 0) return 0;
  Children().push_back({pid, Outcomes().Started(line.argument), std::move(argument)});
  return static_cast<double>(pid);
}

int ProgramEndSignal() { return WatchChildren() ? watched : -1; }

std::vector<String> CollectLinksNotOpened() {
  char bytes[64];
  if (endSignal[0] >= 0) {
    while (read(endSignal[0], bytes, sizeof bytes) > 0) {
    }
  }
  std::uint64_t expirations = 0;
  if (holdTimer >= 0) static_cast<void>(read(holdTimer, &expirations, sizeof expirations));

  const auto now = LinkOutcomes::Clock::now();
  std::vector<Child> asked;
  auto& children = Children();
  for (auto it = children.begin(); it != children.end();) {
    int status = 0;
    const pid_t ended = waitpid(it->pid, &status, WNOHANG);
    if (ended == 0 || (ended < 0 && errno == EINTR)) {
      ++it;
      continue;
    }
    if (ended != it->pid) status = 0;  // collected elsewhere: nothing is known of it
    if (it->output >= 0) {
      const std::string handler = ReadAll(it->output);
      if (NamesAHandler(handler, status)) {
        Outcomes().Opened(it->link);
      } else {
        Outcomes().NotOpened(it->link, now);
      }
    } else {
      switch (JudgeOpenerEnd(status)) {
        case OpenerVerdict::Opened:
          Outcomes().Opened(it->link);
          break;
        case OpenerVerdict::NotOpened:
          Outcomes().NotOpened(it->link, now);
          break;
        case OpenerVerdict::AskForHandler:
          if (!AskForHandler(it->link, it->argument, asked)) Outcomes().NotOpened(it->link, now);
          break;
      }
    }
    it = children.erase(it);
  }
  children.insert(children.end(), asked.begin(), asked.end());
  std::vector<String> failed = Outcomes().Tell(now);
  ArmHoldTimer();
  return failed;
}

}  // namespace mivello
