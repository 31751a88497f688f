#include "runtime/system/link_outcomes.h"

#include <sys/wait.h>

#include <algorithm>

namespace mivello {

OpenerVerdict JudgeOpenerEnd(int waitStatus) {
  if (!WIFEXITED(waitStatus)) return OpenerVerdict::Opened;
  switch (WEXITSTATUS(waitStatus)) {
    case 0:
      return OpenerVerdict::Opened;
    case 4:
      return OpenerVerdict::AskForHandler;
    default:
      return OpenerVerdict::NotOpened;
  }
}

std::string_view SchemeOf(std::string_view link) {
  const std::size_t colon = link.find(':');
  if (colon == 0 || colon == std::string_view::npos) return {};
  const std::string_view scheme = link.substr(0, colon);
  const bool valid = std::all_of(scheme.begin(), scheme.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '-' || c == '.';
  });
  return valid ? scheme : std::string_view();
}

bool NamesAHandler(std::string_view output, int waitStatus) {
  if (!WIFEXITED(waitStatus) || WEXITSTATUS(waitStatus) != 0) return false;
  return output.find_first_not_of(" \t\r\n") != std::string_view::npos;
}

std::size_t LinkOutcomes::Started(String link) {
  links_.push_back({next_, std::move(link)});
  return next_++;
}

LinkOutcomes::Link* LinkOutcomes::Find(std::size_t number) {
  const auto found =
      std::find_if(links_.begin(), links_.end(), [&](const Link& link) { return link.number == number; });
  return found == links_.end() ? nullptr : &*found;
}

void LinkOutcomes::Opened(std::size_t link) {
  if (Link* found = Find(link)) found->state = State::Opened;
}

void LinkOutcomes::NotOpened(std::size_t link, Clock::time_point now) {
  if (Link* found = Find(link)) {
    found->state = State::NotOpened;
    found->decided = now;
  }
}

std::vector<String> LinkOutcomes::Tell(Clock::time_point now) {
  std::vector<String> told;
  bool earlierUndecided = false;
  for (auto it = links_.begin(); it != links_.end();) {
    const bool tell = it->state == State::NotOpened && (!earlierUndecided || now >= it->decided + kHold);
    if (tell) told.push_back(std::move(it->link));
    if (tell || it->state == State::Opened) {
      it = links_.erase(it);
      continue;
    }
    earlierUndecided = earlierUndecided || it->state == State::Undecided;
    ++it;
  }
  return told;
}

std::optional<LinkOutcomes::Clock::time_point> LinkOutcomes::NextHoldEnd() const {
  std::optional<Clock::time_point> first;
  for (const Link& link : links_) {
    if (link.state == State::NotOpened && (!first || link.decided + kHold < *first))
      first = link.decided + kHold;
  }
  return first;
}

}  // namespace mivello
