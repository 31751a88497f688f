// Built as the event procedures are (linking the runtime alone), this must
// not compile: they see the runtime's small API, never the window model.
#include "runtime/window_model/interaction.h"
