#pragma once
// What became of the links handed to the desktop's opener (xdg-open, on
// POSIX systems), and which of them to tell as not opened, in the order they
// were clicked.
#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string_view>
#include <vector>

#include "runtime/string.h"

namespace mivello {

// What the opener's end says of its link. xdg-open returns at once where a
// desktop's own opener takes the link (GNOME's gio, KDE, Xfce), which has
// then either handed it on or refused it; elsewhere it runs the browser
// itself and waits, and then ends with what the browser did, which says
// nothing of the link. Its status 4 ("the action failed") is either; the
// desktop's handler for the link's scheme tells them apart.
enum class OpenerVerdict {
  Opened,         // 0, or stopped by a signal: someone ended it
  NotOpened,      // 1 to 3 and the rest: no tool could open it, or the link was refused
  AskForHandler,  // 4: refused by the desktop's opener when no handler exists, else the browser's own end
};
OpenerVerdict JudgeOpenerEnd(int waitStatus);

// The scheme of a link ("http" of "http://…"); empty when it has none.
std::string_view SchemeOf(std::string_view link);

// Whether xdg-mime's answer to "query default x-scheme-handler/SCHEME",
// ended with `waitStatus`, names a handler.
bool NamesAHandler(std::string_view output, int waitStatus);

class LinkOutcomes {
 public:
  using Clock = std::chrono::steady_clock;
  // How long a failure waits for a link clicked before it to be decided.
  static constexpr std::chrono::milliseconds kHold{2000};

  // A link handed over; returns its number.
  std::size_t Started(String link);
  void Opened(std::size_t link);
  void NotOpened(std::size_t link, Clock::time_point now);

  // The links not opened that may be told now, in the order they were
  // clicked. One waits while a link clicked before it is undecided, for at
  // most kHold, so that the boxes come in click order and none waits on a
  // browser that runs for an hour.
  std::vector<String> Tell(Clock::time_point now);
  // When Tell may have one more to tell: the end of the first hold.
  std::optional<Clock::time_point> NextHoldEnd() const;
  bool Empty() const { return links_.empty(); }

 private:
  enum class State { Undecided, Opened, NotOpened };
  struct Link {
    std::size_t number;
    String link;
    State state = State::Undecided;
    Clock::time_point decided{};
  };
  Link* Find(std::size_t number);

  std::deque<Link> links_;  // in click order
  std::size_t next_ = 0;
};

}  // namespace mivello
