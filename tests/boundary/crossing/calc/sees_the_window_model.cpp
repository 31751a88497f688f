// A procedure that reaches past the runtime's small API: the include rules
// must name this line.
#include "runtime/window_model/interaction.h"
