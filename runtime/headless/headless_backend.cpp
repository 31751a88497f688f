#include "runtime/headless/headless_backend.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace mivello {

class HeadlessBackend::MemoryText : public TextPeer {
 public:
  HResult GetText(String& out) override {
    const HResult failure = std::exchange(failRead, kOk);
    if (Failed(failure)) return failure;
    out = text;
    return kOk;
  }
  HResult SetText(StringView value) override {
    const HResult failure = std::exchange(failWrite, kOk);
    if (Failed(failure)) return failure;
    text = String(value);
    return kOk;
  }

  String text;
  HResult failRead = kOk;
  HResult failWrite = kOk;
};

HeadlessBackend::HeadlessBackend(Density density) : density_(density) {}
HeadlessBackend::~HeadlessBackend() = default;

void HeadlessBackend::Build(Form& form, EventDispatcher& events) {
  form_ = &form;
  user_.emplace(form.Model(), events, [this](std::size_t control, bool down) {
    if (down)
      pressedLook_.insert(control);
    else
      pressedLook_.erase(control);
  });
  for (Control& control : form.Controls()) {
    if (control.Model().kind != ControlClass::TextBox) continue;
    texts_.push_back(std::make_unique<MemoryText>());
    control.AttachText(texts_.back().get());
    textByControl_[control.Index()] = texts_.back().get();
  }
  focus_ = user_->FirstFocus();
}

void HeadlessBackend::ShowMessage(StringView title, StringView text) {
  messages_.push_back({String(title), String(text)});
}

void HeadlessBackend::WhenReadable(int /*descriptor*/, std::function<void()> onReadable) {
  watches_.push_back(std::move(onReadable));
}

void HeadlessBackend::RunWatches() {
  for (const auto& watch : watches_) watch();
}

void HeadlessBackend::ReportStartupFailure(StringView /*title*/, std::string_view message) {
  startupFailures_.emplace_back(message);
}

std::size_t HeadlessBackend::IndexOf(std::string_view control) const {
  const Control* c = form_ != nullptr ? form_->Find(control) : nullptr;
  if (c == nullptr) throw std::invalid_argument("no control " + std::string(control));
  return c->Index();
}

HeadlessBackend::MemoryText& HeadlessBackend::Box(std::string_view box) const {
  const auto it = textByControl_.find(IndexOf(box));
  if (it == textByControl_.end()) throw std::invalid_argument(std::string(box) + " is no text box");
  return *it->second;
}

void HeadlessBackend::MoveFocus(std::optional<std::size_t> to) {
  if (!to || to == focus_) return;
  focus_ = to;
  user_->FocusMoved(focus_);
}

bool HeadlessBackend::IsNative(std::optional<std::size_t> control) const {
  return control && TakesFocus(form_->Model().controls[*control].kind);
}

void HeadlessBackend::Type(std::string_view box, StringView text) {
  MemoryText& target = Box(box);
  MoveFocus(IndexOf(box));
  target.text += text;
}

void HeadlessBackend::Clear(std::string_view box) { Box(box).text.clear(); }

void HeadlessBackend::Click(std::string_view control) {
  // Where nothing lies above any control of this form: its first column.
  const PixelRect r = DeviceRect(form_->Model().controls[IndexOf(control)].rect, density_);
  ClickAt(r.left, r.top + r.height / 2);
}

void HeadlessBackend::ClickAt(int x, int y) {
  PressAt(x, y);
  ReleaseAt(x, y);
}

// As the real windows are: a native control takes the mouse that lands on
// it (focused by the press, clicked by a release on itself) and tells the
// runtime of its click; the form takes the rest, with what it paints.
void HeadlessBackend::PressAt(int x, int y) {
  const std::optional<std::size_t> at = user_->ElementAt(x, y, density_);
  nativePressed_ = IsNative(at) ? at : std::nullopt;
  if (nativePressed_) {
    MoveFocus(at);
    return;
  }
  user_->MouseDown(user_->PaintedAt(x, y, density_), MouseButton::Left, false);
}

void HeadlessBackend::ReleaseAt(int x, int y) {
  if (const std::optional<std::size_t> native = std::exchange(nativePressed_, std::nullopt)) {
    if (user_->ElementAt(x, y, density_) == native) user_->Click(*native, ClickSource::NativeControl);
    return;
  }
  user_->MouseUp(user_->PaintedAt(x, y, density_), MouseButton::Left);
}

void HeadlessBackend::Act(std::string_view control) {
  user_->Click(IndexOf(control), ClickSource::AssistiveTool);
}

void HeadlessBackend::KeyDown(Key key, bool repeat) { MoveFocus(user_->KeyDown(focus_, key, repeat).focus); }

void HeadlessBackend::KeyUp(Key key) { MoveFocus(user_->KeyUp(focus_, key).focus); }

void HeadlessBackend::Press(Key key) {
  KeyDown(key);
  KeyUp(key);
}

void HeadlessBackend::Focus(std::string_view control) { MoveFocus(IndexOf(control)); }

String HeadlessBackend::Text(std::string_view box) const { return Box(box).text; }

std::string HeadlessBackend::Focused() const {
  return focus_ ? form_->Model().controls[*focus_].name : std::string();
}

String HeadlessBackend::ToolTipAt(int x, int y) const { return String(user_->ToolTipAt(x, y, density_)); }

void HeadlessBackend::FailNextRead(std::string_view box, HResult status) { Box(box).failRead = status; }
void HeadlessBackend::FailNextWrite(std::string_view box, HResult status) { Box(box).failWrite = status; }

}  // namespace mivello
