#include "runtime/window_model/interaction.h"

#include <algorithm>
#include <utility>

#include "runtime/window_model/layout.h"

namespace mivello {

Interaction::Interaction(const FormModel& form, EventDispatcher& events, PressedLook look)
    : form_(form), events_(events), look_(std::move(look)), tabOrder_(TabOrder(form)) {}

bool Interaction::IsButton(std::size_t control) const {
  return control < form_.controls.size() && form_.controls[control].kind == ControlClass::CommandButton;
}

std::optional<std::size_t> Interaction::ElementAt(int x, int y, const Density& density) const {
  for (std::size_t i = 0; i < form_.controls.size(); ++i) {
    if (TakesFocus(form_.controls[i].kind) && DeviceRect(form_.controls[i].rect, density).Contains(x, y))
      return i;
  }
  return PaintedAt(x, y, density);
}

std::optional<std::size_t> Interaction::PaintedAt(int x, int y, const Density& density) const {
  for (std::size_t i = 0; i < form_.controls.size(); ++i) {
    if (!TakesFocus(form_.controls[i].kind) && DeviceRect(form_.controls[i].rect, density).Contains(x, y))
      return i;
  }
  return std::nullopt;
}

StringView Interaction::ToolTipAt(int x, int y, const Density& density) const {
  const std::optional<std::size_t> hit = ElementAt(x, y, density);
  return hit ? StringView(form_.controls[*hit].toolTip) : StringView();
}

void Interaction::MouseDown(std::optional<std::size_t> element, MouseButton button, bool doubleClick) {
  if (button != MouseButton::Left) {
    pressed_.reset();  // another button between press and release spoils the Click
    return;
  }
  // The second press of a double-click on a label or picture is its
  // DblClick, not another Click; a native control takes it as a press.
  const bool painted = element && !TakesFocus(form_.controls[*element].kind);
  pressed_ = doubleClick && painted ? std::nullopt : element;
}

void Interaction::MouseUp(std::optional<std::size_t> element, MouseButton button) {
  if (button != MouseButton::Left) return;
  const std::optional<std::size_t> pressed = std::exchange(pressed_, std::nullopt);
  if (pressed && pressed == element) events_.Deliver(*pressed, Event::Click);
}

void Interaction::CaptureLost() { pressed_.reset(); }

void Interaction::Click(std::size_t control, ClickSource source) {
  if (control >= form_.controls.size()) return;
  const bool painted = !TakesFocus(form_.controls[control].kind);
  const bool clicks = source == ClickSource::NativeControl
                          ? IsButton(control)
                          : IsButton(control) || (painted && events_.Handles(control, Event::Click));
  if (clicks) events_.Deliver(control, Event::Click);
}

void Interaction::ForgetSpacePress() {
  if (const std::optional<std::size_t> pressed = std::exchange(spacePressed_, std::nullopt); pressed && look_)
    look_(*pressed, false);
}

KeyAnswer Interaction::KeyDown(std::optional<std::size_t> focused, Key key, bool repeat) {
  const bool onButton = focused && IsButton(*focused);
  switch (key) {
    case Key::Tab:
    case Key::BackTab:
      return {true, NextFocus(focused, key == Key::Tab)};
    case Key::Enter:
      // No button is the default: Enter clicks a focused button only.
      if (onButton && !repeat) events_.Deliver(*focused, Event::Click);
      return {true, std::nullopt};
    case Key::Space:
      // A focused button goes down with Space and clicks when it comes up;
      // held down, it stays down.
      if (!onButton) return {};
      if (!repeat || spacePressed_ != focused) {
        spacePressed_ = focused;
        if (look_) look_(*focused, true);
      }
      return {true, std::nullopt};
    case Key::Escape:
      return {true, std::nullopt};  // no button is the cancel button
    case Key::Left:
    case Key::Up:
    case Key::Right:
    case Key::Down:
      // A button has no use for arrows: they move the focus along the tab
      // order. A text box keeps them for its caret.
      if (!onButton) return {};
      return {true, NextFocus(focused, key == Key::Right || key == Key::Down)};
    case Key::Other:
      break;
  }
  return {};
}

KeyAnswer Interaction::KeyUp(std::optional<std::size_t> focused, Key key, bool repeat) {
  if (key != Key::Space) return {};
  if (!focused || !IsButton(*focused)) {
    if (!repeat) ForgetSpacePress();  // released away from the button it pressed
    return {};
  }
  if (repeat) return {true, std::nullopt};  // still held: no Click yet
  // Only the button that Space pressed clicks, drawn up before its procedure runs.
  const bool click = spacePressed_ == focused;
  ForgetSpacePress();
  if (click) events_.Deliver(*focused, Event::Click);
  return {true, std::nullopt};
}

void Interaction::FocusMoved(std::optional<std::size_t> to) {
  if (spacePressed_ != to) ForgetSpacePress();
}

std::optional<std::size_t> Interaction::FirstFocus() const {
  return tabOrder_.empty() ? std::nullopt : std::optional<std::size_t>(tabOrder_.front());
}

std::optional<std::size_t> Interaction::NextFocus(std::optional<std::size_t> from, bool forward) const {
  if (tabOrder_.empty()) return std::nullopt;
  const auto at = from ? std::find(tabOrder_.begin(), tabOrder_.end(), *from) : tabOrder_.end();
  if (at == tabOrder_.end()) return forward ? tabOrder_.front() : tabOrder_.back();
  const std::size_t k = static_cast<std::size_t>(at - tabOrder_.begin());
  const std::size_t n = tabOrder_.size();
  return tabOrder_[forward ? (k + 1) % n : (k + n - 1) % n];
}

void Interaction::Deactivated(std::optional<std::size_t> focused) {
  if (focused && TakesFocus(form_.controls[*focused].kind)) remembered_ = focused;
  ForgetSpacePress();
  pressed_.reset();
}

std::optional<std::size_t> Interaction::FocusOnActivation() const {
  return remembered_ ? remembered_ : FirstFocus();
}

}  // namespace mivello
