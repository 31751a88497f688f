#pragma once
// What a user does with a form, decided once for every window system: which
// element a point reaches, what makes a Click of the mouse or the keyboard,
// where the focus goes, and which tooltip a point shows. A backend only
// translates its native events into these calls and shows what they answer.
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "runtime/form_model.h"
#include "runtime/startup/events.h"
#include "runtime/window_model/geometry.h"

namespace mivello {

enum class MouseButton { Left, Other };
enum class Key { Tab, BackTab, Enter, Space, Escape, Left, Right, Up, Down, Other };
// Where a Click comes from that is neither the mouse on what the runtime
// paints nor the keys: a native control's own click (the mouse on a native
// button) and an assistive tool's action.
enum class ClickSource { NativeControl, AssistiveTool };

// What a key does where the focus is.
struct KeyAnswer {
  bool handled = false;              // the key's meaning is the form's: the control does not see it
  std::optional<std::size_t> focus;  // where the focus goes, if it moves
};

class Interaction {
 public:
  // How a window shows a button held down by the keys: drawn pressed or not.
  using PressedLook = std::function<void(std::size_t control, bool down)>;

  // Clicks go to `events`; both outlive this object. `look` shows a button
  // pressed while Space holds it; it is drawn up again before its Click runs.
  Interaction(const FormModel& form, EventDispatcher& events, PressedLook look = {});

  // The element at a device pixel: a text box or button, which lie above
  // everything the runtime paints, else the label or picture earliest in the
  // stored order. Nothing on the bare form.
  std::optional<std::size_t> ElementAt(int x, int y, const Density& density) const;
  // The label or picture at a device pixel, native controls aside: for a
  // window whose native controls take their own mouse.
  std::optional<std::size_t> PaintedAt(int x, int y, const Density& density) const;
  // The tooltip that a device pixel shows; empty where there is none.
  StringView ToolTipAt(int x, int y, const Density& density) const;

  // The mouse, on what the runtime paints (a native control takes its own
  // presses and the focus with them). A button goes down on an element
  // (none: the bare form); the second press of a double-click says so.
  void MouseDown(std::optional<std::size_t> element, MouseButton button, bool doubleClick);
  // The button comes up over an element: a left press and release on the
  // same element make its Click, which is delivered here.
  void MouseUp(std::optional<std::size_t> element, MouseButton button);
  // The window lost the mouse between press and release: no Click comes of it.
  void CaptureLost();

  // Every other way a Click arises comes through here, and is delivered
  // where the element can be clicked that way: a native control's own click
  // for a button, an assistive tool's action for a button or a link.
  void Click(std::size_t control, ClickSource source);

  // The keyboard, on the focused control (none: the form itself); `repeat`
  // for the presses (and, where a window system sends them, the releases)
  // of a key held down. A key that makes a Click delivers it here.
  KeyAnswer KeyDown(std::optional<std::size_t> focused, Key key, bool repeat = false);
  KeyAnswer KeyUp(std::optional<std::size_t> focused, Key key, bool repeat = false);

  // Focus: the first control of the tab order at start-up, and the control
  // that had it when the window was left, when the window is active again.
  std::optional<std::size_t> FirstFocus() const;
  std::optional<std::size_t> NextFocus(std::optional<std::size_t> from, bool forward) const;
  // The focus has moved, by whatever means: a Space press elsewhere is forgotten.
  void FocusMoved(std::optional<std::size_t> to);
  // The window was left: presses are forgotten, the focus remembered.
  void Deactivated(std::optional<std::size_t> focused);
  std::optional<std::size_t> FocusOnActivation() const;

 private:
  bool IsButton(std::size_t control) const;
  void ForgetSpacePress();

  const FormModel& form_;
  EventDispatcher& events_;
  PressedLook look_;
  std::vector<std::size_t> tabOrder_;
  std::optional<std::size_t> pressed_;       // the element under a left press
  std::optional<std::size_t> spacePressed_;  // the button under a Space press
  std::optional<std::size_t> remembered_;    // the focus when the window was left
};

}  // namespace mivello
