#pragma once
#include <span>

#include "runtime/startup/events.h"

namespace mivello {

// The five events of Form1 that reach the program, and their procedures.
std::span<const EventBinding> Form1Events();

}  // namespace mivello
