#include "runtime/startup/events.h"

#include <new>
#include <string>
#include <utility>

#include "runtime/startup/diagnostic.h"

namespace mivello {

String UntrappedErrorText(const RuntimeError& error) {
  const std::string number = std::to_string(error.Number());
  return u"实时错误 '" + String(number.begin(), number.end()) + u"':\n\n" + error.Description();
}

EventDispatcher::EventDispatcher(Form& form, std::span<const EventBinding> bindings,
                                 UntrappedErrorHandler onError)
    : form_(form), clicks_(form.Controls().size(), nullptr), onError_(std::move(onError)) {
  for (const EventBinding& binding : bindings) {
    const Control* control = form.Find(binding.control);
    if (control == nullptr) {
      throw StartupError("event procedure for control '" + std::string(binding.control) +
                         "', which the form " + form.Model().name + " does not have");
    }
    clicks_[control->Index()] = binding.procedure;
  }
}

bool EventDispatcher::Handles(std::size_t control, Event /*event*/) const {
  return control < clicks_.size() && clicks_[control] != nullptr;
}

void EventDispatcher::Deliver(std::size_t control, Event event) {
  if (!Handles(control, event)) return;
  try {
    FormRef me(form_);
    clicks_[control](form_);
  } catch (const RuntimeError& error) {
    if (onError_) onError_(error);
  } catch (const std::bad_alloc&) {
    if (onError_) onError_(RuntimeError(ErrorNumber::OutOfMemory));
  } catch (const std::exception& e) {
    // Nothing may unwind into the window system: any other failure is the
    // program's own fault, told as one and the program goes on.
    WriteDiagnostic(std::string("内部错误：") + e.what());
    if (onError_) onError_(RuntimeError(ErrorNumber::InternalError));
  } catch (...) {
    WriteDiagnostic("内部错误");
    if (onError_) onError_(RuntimeError(ErrorNumber::InternalError));
  }
}

void EventDispatcher::Report(const RuntimeError& error) const {
  if (onError_) onError_(error);
}

}  // namespace mivello
