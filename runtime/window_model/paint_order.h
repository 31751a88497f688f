#pragma once
// What the runtime draws itself, labels and pictures, on every backend: the
// order it paints them in.
#include <cstddef>
#include <vector>

#include "runtime/form_model.h"

namespace mivello {

// Labels and pictures from the bottom of the stored order up: earlier
// controls cover later ones.
std::vector<std::size_t> PaintOrder(const FormModel& form);

}  // namespace mivello
