#include "runtime/form.h"

#include <utility>

namespace mivello {
namespace {
constexpr HResult kNoSuchProperty = ControlFailure(ErrorNumber::NoSuchProperty);
}

HResult Control::GetText(String& out) const {
  if (text_ == nullptr) return kNoSuchProperty;
  return text_->GetText(out);
}

HResult Control::SetText(StringView text) {
  if (text_ == nullptr) return kNoSuchProperty;
  return text_->SetText(text);
}

Form::Form(FormModel model) : model_(std::move(model)), pictureWords_(model_.controls.size()) {
  controls_.reserve(model_.controls.size());
  for (std::size_t i = 0; i < model_.controls.size(); ++i) {
    controls_.emplace_back(model_.controls[i], i);
  }
}

Control* Form::Find(std::string_view name) {
  for (Control& c : controls_) {
    if (c.Name() == name) return &c;
  }
  return nullptr;
}

void Form::SetPictureWords(std::string_view control, StringView words) {
  if (Control* c = Find(control)) pictureWords_[c->Index()] = String(words);
}

ControlRef Form::vbaObjSet(std::string_view name) {
  Control* control = Find(name);
  if (control == nullptr) Raise(ErrorNumber::ObjectRequired);
  return ControlRef(*control);
}

void vbaHresultCheckObj(HResult hr, const Control& /*control*/) {
  const auto bits = static_cast<std::uint32_t>(hr);
  if ((bits & 0xFFFF0000u) == 0x800A0000u) {
    const auto number = static_cast<std::int32_t>(bits & 0xFFFFu);
    throw RuntimeError(number, ErrorDescription(number));
  }
  Raise(ErrorNumber::AutomationError);
}

}  // namespace mivello
