#pragma once
// The two identifiers of Form1, which its stored description's header and
// the project record both carry.
#include "runtime/startup/project.h"

namespace mivello {

// {5A0C3E71-9B2D-4F86-A1E3-7C64D2B8F019}
inline constexpr Guid kForm1Id{0x5A0C3E71, 0x9B2D, 0x4F86, {0xA1, 0xE3, 0x7C, 0x64, 0xD2, 0xB8, 0xF0, 0x19}};
// {C3B1F6A4-2E78-4D05-9F3A-16E8B4C7D2A5}
inline constexpr Guid kForm1SecondId{
    0xC3B1F6A4, 0x2E78, 0x4D05, {0x9F, 0x3A, 0x16, 0xE8, 0xB4, 0xC7, 0xD2, 0xA5}};

}  // namespace mivello
