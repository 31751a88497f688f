// Time from start to the first painted window, and peak memory, for a
// program and its floors, started alternately on the X server of $DISPLAY:
//   startup_bench RUNS PROGRAM FLOOR...
// A window counts as painted when its top-level shows at least four colours.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
  double milliseconds = 0;
  long peakKilobytes = 0;
};

long PeakKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return 0;
}

bool Painted(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) return false;
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  std::set<unsigned long> colours;
  for (int y = 0; y < attributes.height && colours.size() < 4; y += 2) {
    for (int x = 0; x < attributes.width && colours.size() < 4; x += 2)
      colours.insert(XGetPixel(image, x, y));
  }
  XDestroyImage(image);
  return colours.size() >= 4;
}

Sample RunOnce(Display* display, const char* program) {
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, True);

  char* argv[] = {const_cast<char*>(program), nullptr};
  const auto start = Clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) {
    std::fprintf(stderr, "cannot start %s\n", program);
    std::exit(1);
  }
  Window mapped = 0;
  Sample sample;
  while (Clock::now() - start < std::chrono::seconds(20)) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && event.xmap.event == root && mapped == 0) mapped = event.xmap.window;
    }
    if (mapped != 0 && Painted(display, mapped)) {
      sample.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      break;
    }
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, 1);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  sample.peakKilobytes = PeakKilobytes(pid);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  XSelectInput(display, root, NoEventMask);
  return sample;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: startup_bench RUNS PROGRAM FLOOR...\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "startup_bench: no X display\n");
    return 1;
  }
  const int runs = std::atoi(argv[1]);
  const int programs = argc - 2;
  std::vector<std::vector<double>> time(static_cast<std::size_t>(programs)), memory(time.size());
  for (int p = 0; p < programs; ++p) RunOnce(display, argv[2 + p]);  // warm the file cache for all
  for (int i = 0; i < runs; ++i) {
    for (int p = 0; p < programs; ++p) {  // alternated, so that a slower spell of the machine hits all alike
      const Sample s = RunOnce(display, argv[2 + p]);
      time[static_cast<std::size_t>(p)].push_back(s.milliseconds);
      memory[static_cast<std::size_t>(p)].push_back(static_cast<double>(s.peakKilobytes));
    }
  }
  for (int p = 0; p < programs; ++p) {
    const auto k = static_cast<std::size_t>(p);
    std::printf("%-44s median %.1f ms to the first painted window, peak memory %.0f KiB\n", argv[2 + p],
                Median(time[k]), Median(memory[k]));
  }
  for (int p = 1; p < programs; ++p) {
    const auto k = static_cast<std::size_t>(p);
    // Also the median of each round's own ratio: a slow spell of the
    // machine then weighs on both sides of it alike.
    std::vector<double> rounds;
    for (std::size_t i = 0; i < time[k].size(); ++i) rounds.push_back(time[0][i] / time[k][i]);
    std::printf("ratio to %s: time %.3f (by round %.3f), memory %.3f\n", argv[2 + p],
                Median(time[0]) / Median(time[k]), Median(rounds), Median(memory[0]) / Median(memory[k]));
  }
  XCloseDisplay(display);
  return 0;
}
