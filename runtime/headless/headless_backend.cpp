#include "runtime/headless/headless_backend.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "runtime/layout.h"
#include "runtime/windowless.h"

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

HeadlessBackend::HeadlessBackend(int dpi) : dpi_(dpi) {}
HeadlessBackend::~HeadlessBackend() = default;

void HeadlessBackend::Build(Form& form, EventDispatcher& events) {
  form_ = &form;
  events_ = &events;
  for (Control& control : form.Controls()) {
    if (control.Model().kind != ControlClass::TextBox) continue;
    texts_.push_back(std::make_unique<MemoryText>());
    control.AttachText(texts_.back().get());
    textByControl_[control.Index()] = texts_.back().get();
  }
  tabOrder_ = TabOrder(form.Model());
  if (!tabOrder_.empty()) focus_ = tabOrder_.front();
}

void HeadlessBackend::ShowMessage(StringView title, StringView text) {
  messages_.push_back({String(title), String(text)});
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

void HeadlessBackend::Type(std::string_view box, StringView text) {
  MemoryText& target = Box(box);
  focus_ = IndexOf(box);
  target.text += text;
}

void HeadlessBackend::Clear(std::string_view box) { Box(box).text.clear(); }

void HeadlessBackend::Click(std::string_view control) {
  const std::size_t index = IndexOf(control);
  if (TakesFocus(form_->Model().controls[index].kind)) focus_ = index;
  events_->Deliver(index, Event::Click);
}

std::optional<std::size_t> HeadlessBackend::ControlAt(int x, int y) const {
  // Text boxes and buttons are windows above every label and picture.
  const auto& controls = form_->Model().controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (TakesFocus(controls[i].kind) && ToPixels(controls[i].rect, dpi_).Contains(x, y)) return i;
  }
  return WindowlessHitTest(form_->Model(), TwipsAt(x, y, dpi_));
}

void HeadlessBackend::ClickAt(int x, int y) {
  PressAt(x, y);
  ReleaseAt(x, y);
}

void HeadlessBackend::PressAt(int x, int y) {
  const auto target = ControlAt(x, y);
  if (target && TakesFocus(form_->Model().controls[*target].kind)) focus_ = target;
  mouse_.Press(target);
}

void HeadlessBackend::ReleaseAt(int x, int y) {
  if (const auto clicked = mouse_.Release(ControlAt(x, y))) events_->Deliver(*clicked, Event::Click);
}

void HeadlessBackend::Press(Key key) {
  if (!focus_) return;
  const ControlClass kind = form_->Model().controls[*focus_].kind;
  switch (key) {
    case Key::Tab: {
      const auto it = std::find(tabOrder_.begin(), tabOrder_.end(), *focus_);
      focus_ = (it == tabOrder_.end() || it + 1 == tabOrder_.end()) ? tabOrder_.front() : *(it + 1);
      break;
    }
    case Key::Enter:
    case Key::Space:
      // A focused button clicks; neither button is the default, so Enter in
      // a text box does nothing.
      if (kind == ControlClass::CommandButton) events_->Deliver(*focus_, Event::Click);
      break;
    case Key::Escape:
      break;  // neither button is the cancel button
  }
}

String HeadlessBackend::Text(std::string_view box) const { return Box(box).text; }

std::string HeadlessBackend::Focused() const {
  return focus_ ? form_->Model().controls[*focus_].name : std::string();
}

String HeadlessBackend::ToolTipAt(int x, int y) const {
  const auto hit = WindowlessHitTest(form_->Model(), TwipsAt(x, y, dpi_));
  return hit ? form_->Model().controls[*hit].toolTip : String();
}

void HeadlessBackend::FailNextRead(std::string_view box, HResult status) { Box(box).failRead = status; }
void HeadlessBackend::FailNextWrite(std::string_view box, HResult status) { Box(box).failWrite = status; }

}  // namespace mivello
