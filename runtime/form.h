#pragma once
// The live form that event procedures work on: named controls reached through
// counted references, and Text properties that answer with a status.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "runtime/form_model.h"
#include "runtime/runtime_error.h"

namespace mivello {

// A property call's status: negative is a failure. Failures of the control
// facility carry a runtime error number in their low 16 bits.
using HResult = std::int32_t;
inline constexpr HResult kOk = 0;
inline constexpr HResult kFail = static_cast<HResult>(0x80004005u);
constexpr HResult ControlFailure(ErrorNumber number) {
  return static_cast<HResult>(0x800A0000u | static_cast<std::uint32_t>(number));
}
constexpr bool Failed(HResult hr) { return hr < 0; }

// Where a text box keeps its text: the backend's native edit, or memory.
class TextPeer {
 public:
  virtual ~TextPeer() = default;
  virtual HResult GetText(String& out) = 0;
  virtual HResult SetText(StringView text) = 0;
};

class Control {
 public:
  Control(const ControlModel& model, std::size_t index) : model_(&model), index_(index) {}

  const ControlModel& Model() const { return *model_; }
  std::string_view Name() const { return model_->name; }
  std::size_t Index() const { return index_; }
  int References() const { return references_; }

  void AttachText(TextPeer* peer) { text_ = peer; }
  HResult GetText(String& out) const;
  HResult SetText(StringView text);

 private:
  friend class ControlRef;
  const ControlModel* model_;
  std::size_t index_;
  TextPeer* text_ = nullptr;
  int references_ = 0;
};

// A counted reference to one control, released when it goes out of scope.
class ControlRef {
 public:
  explicit ControlRef(Control& control) : control_(&control) { ++control_->references_; }
  ControlRef(ControlRef&& other) noexcept : control_(other.control_) { other.control_ = nullptr; }
  ControlRef(const ControlRef&) = delete;
  ControlRef& operator=(const ControlRef&) = delete;
  ControlRef& operator=(ControlRef&&) = delete;
  ~ControlRef() {
    if (control_ != nullptr) --control_->references_;
  }

  Control* operator->() const { return control_; }
  Control& operator*() const { return *control_; }

 private:
  Control* control_;
};

class Form {
 public:
  explicit Form(FormModel model);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormModel& Model() const { return model_; }
  std::vector<Control>& Controls() { return controls_; }
  Control* Find(std::string_view name);
  int References() const { return references_; }

  // A counted reference to a named control; raises 424 when there is none.
  ControlRef vbaObjSet(std::string_view name);

  // What a picture says in words (empty when nobody told): for assistive tools.
  void SetPictureWords(std::string_view control, StringView words);
  StringView PictureWords(std::size_t control) const { return pictureWords_[control]; }

 private:
  friend class FormRef;
  FormModel model_;
  std::vector<Control> controls_;
  std::vector<String> pictureWords_;  // by control index
  int references_ = 0;
};

// The counted reference to the form that a running procedure holds.
class FormRef {
 public:
  explicit FormRef(Form& form) : form_(form) { ++form_.references_; }
  FormRef(const FormRef&) = delete;
  FormRef& operator=(const FormRef&) = delete;
  ~FormRef() { --form_.references_; }

 private:
  Form& form_;
};

// Turns a failed status of a call on `control` into its runtime error.
[[noreturn]] void vbaHresultCheckObj(HResult hr, const Control& control);

inline void CheckStatus(HResult hr, const Control& control) {
  if (Failed(hr)) vbaHresultCheckObj(hr, control);
}

}  // namespace mivello
