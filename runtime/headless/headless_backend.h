#pragma once
// A backend without a display: the form lives in memory, and a test acts as
// the user (types, clicks, presses keys) and reads what the window would
// show. Every rule of what the user's acts do is the runtime's Interaction.
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "runtime/startup/backend.h"
#include "runtime/window_model/geometry.h"
#include "runtime/window_model/interaction.h"

namespace mivello {

struct ShownMessage {
  String title;
  String text;
};

class HeadlessBackend : public Backend {
 public:
  // A window shown at `density`, as a screen of that kind shows it.
  explicit HeadlessBackend(Density density = {});
  explicit HeadlessBackend(int dpi) : HeadlessBackend(Density::AtDpi(dpi)) {}
  ~HeadlessBackend() override;

  void Build(Form& form, EventDispatcher& events) override;
  void ShowMessage(StringView title, StringView text) override;
  void ReportStartupFailure(StringView title, std::string_view message) override;
  int Run() override { return 0; }
  void WhenReadable(int descriptor, std::function<void()> onReadable) override;

  // What the event loop does between events: every watched descriptor's
  // callback runs (each reads only what is there, so an idle one is harmless).
  void RunWatches();

  // The user's side. Names must be controls of the form; points are device pixels.
  void Type(std::string_view box, StringView text);  // focuses the box, appends
  void Clear(std::string_view box);
  void Click(std::string_view control);  // a mouse click on the control's first column
  void ClickAt(int x, int y);
  void PressAt(int x, int y);  // the left button
  void ReleaseAt(int x, int y);
  void Act(std::string_view control);  // an assistive tool's action
  void Press(Key key);                 // down and up, on the focused control
  void KeyDown(Key key, bool repeat = false);
  void KeyUp(Key key);
  void Focus(std::string_view control);  // as a click or a tool moves the focus
  // Whether a button is drawn pressed.
  bool LooksPressed(std::string_view control) const { return pressedLook_.count(IndexOf(control)) != 0; }

  String Text(std::string_view box) const;
  std::string Focused() const;
  String ToolTipAt(int x, int y) const;
  const std::vector<ShownMessage>& Messages() const { return messages_; }
  const std::vector<std::string>& StartupFailures() const { return startupFailures_; }

  // Makes the next Text read or write of `box` answer `status`.
  void FailNextRead(std::string_view box, HResult status);
  void FailNextWrite(std::string_view box, HResult status);

 private:
  class MemoryText;
  std::size_t IndexOf(std::string_view control) const;
  MemoryText& Box(std::string_view box) const;
  void MoveFocus(std::optional<std::size_t> to);
  bool IsNative(std::optional<std::size_t> control) const;

  Density density_;
  Form* form_ = nullptr;
  std::optional<Interaction> user_;
  std::vector<std::unique_ptr<MemoryText>> texts_;
  std::map<std::size_t, MemoryText*> textByControl_;
  std::optional<std::size_t> focus_;
  std::optional<std::size_t> nativePressed_;  // a native control under the left button
  std::set<std::size_t> pressedLook_;
  std::vector<ShownMessage> messages_;
  std::vector<std::function<void()>> watches_;
  std::vector<std::string> startupFailures_;
};

}  // namespace mivello
