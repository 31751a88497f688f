#pragma once
// Form1 as stored, with the runtime's interaction model on it and every
// control's Click recorded by name, for the tests of what the user's acts do.
#include <array>
#include <cctype>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/project_record.h"
#include "runtime/window_model/interaction.h"

namespace mivello::testing_support {

inline std::vector<std::string> clicks;  // names of the controls clicked, in order

// A procedure takes nothing but the form, so each control gets a recorder
// of its own, made for as many controls as a form may have here.
inline constexpr std::size_t kMostControls = 64;

template <std::size_t I>
void RecordClick(Form& form) {
  clicks.push_back(form.Model().controls[I].name);
}

template <std::size_t... I>
constexpr std::array<Procedure, sizeof...(I)> ClickRecorders(std::index_sequence<I...>) {
  return {&RecordClick<I>...};
}

// Every control's Click bound to its recorder.
inline std::vector<EventBinding> RecordingBindings(const FormModel& form) {
  constexpr auto recorders = ClickRecorders(std::make_index_sequence<kMostControls>());
  if (form.controls.size() > recorders.size()) throw std::length_error("more controls than recorders");
  std::vector<EventBinding> bindings;
  for (std::size_t i = 0; i < form.controls.size(); ++i)
    bindings.push_back({form.controls[i].name, Event::Click, recorders[i]});
  return bindings;
}

class Form1Interaction {
 public:
  explicit Form1Interaction(Interaction::PressedLook look = {}) {
    clicks.clear();
    const ProjectRecord& project = MivelloProject();
    form_.emplace(project.readForm(project.forms.front()));
    bindings_ = RecordingBindings(form_->Model());
    events_.emplace(*form_, bindings_, nullptr);
    user.emplace(form_->Model(), *events_, std::move(look));
  }

  const FormModel& Model() const { return form_->Model(); }
  std::size_t Index(std::string_view name) const { return form_->Find(name)->Index(); }
  std::string Name(std::optional<std::size_t> control) const {
    return control ? form_->Model().controls[*control].name : std::string();
  }

 private:
  mutable std::optional<Form> form_;
  std::vector<EventBinding> bindings_;
  std::optional<EventDispatcher> events_;

 public:
  std::optional<Interaction> user;
};

// A table row's name for GoogleTest, made of what the row proves.
inline std::string RowName(const char* proves) {
  std::string name;
  for (const char* c = proves; *c != '\0'; ++c)
    name += std::isalnum(static_cast<unsigned char>(*c)) != 0 ? *c : '_';
  return name;
}

}  // namespace mivello::testing_support
