#pragma once
#include <span>

#include "runtime/startup/project.h"

namespace mivello {

// The words on Form1's two badges, for those who hear the window.
std::span<const PictureWords> Form1PictureWords();

}  // namespace mivello
