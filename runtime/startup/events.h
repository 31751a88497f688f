#pragma once
// Binds the controls' events to event procedures through a checked table,
// and delivers each event to its procedure with the runtime's error handling.
#include <cstddef>
#include <functional>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "runtime/form.h"

namespace mivello {

enum class Event { Click };

using Procedure = void (*)(Form& me);

struct EventBinding {
  std::string_view control;
  Event event;
  Procedure procedure;
};

// A fault found while building the window: the program cannot start.
class StartupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Receives every error that ends a procedure untrapped.
using UntrappedErrorHandler = std::function<void(const RuntimeError&)>;

// The text the runtime shows for an untrapped error: "实时错误 '6':\n\n溢出".
String UntrappedErrorText(const RuntimeError& error);

class EventDispatcher {
 public:
  // Resolves every binding to its control once; a control the form lacks
  // is a StartupError.
  EventDispatcher(Form& form, std::span<const EventBinding> bindings, UntrappedErrorHandler onError);

  bool Handles(std::size_t control, Event event) const;

  // Runs the control's procedure, if it has one, to its end. The procedure
  // holds a reference to the form while it runs; an error that ends it goes
  // to the untrapped-error handler and the program goes on. Any other
  // exception becomes error 51 (内部错误) with a line on stderr: nothing
  // unwinds into the window system that called.
  void Deliver(std::size_t control, Event event);

  // An error that reaches the runtime outside any procedure (a started
  // program that failed): handled as an untrapped one.
  void Report(const RuntimeError& error) const;

 private:
  Form& form_;
  std::vector<Procedure> clicks_;  // by control index
  UntrappedErrorHandler onError_;
};

}  // namespace mivello
