#pragma once
// Packs a form's content into its stored description block.
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "runtime/form_model.h"
#include "runtime/startup/project.h"

namespace mivello {

// Throws std::invalid_argument for content the format cannot hold (a text
// without a code page 936 encoding, a value out of its field's range).
std::vector<std::uint8_t> WriteFormDescription(const FormModel& form, const Guid& formId,
                                               const Guid& secondFormId);

}  // namespace mivello
