#pragma once
// Form1 as designed: the one source of its captions, geometry and pictures.
// It feeds the stored-form writer; the running program reads the stored form.
#include <cstdint>
#include <span>

#include "runtime/form_model.h"

namespace mivello {

struct Form1Pictures {
  std::span<const std::uint8_t> icon;      // the window's icon file
  std::span<const std::uint8_t> wangwang;  // Image1's GIF
  std::span<const std::uint8_t> qq;        // Image2's GIF
};

FormModel Form1Content(const Form1Pictures& pictures);

}  // namespace mivello
