#pragma once
// Code page 936 (Simplified Chinese, GBK), the encoding of stored form texts.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "runtime/string.h"

namespace mivello {

// Decodes code page 936 bytes; nullopt when some of them form no character.
std::optional<String> FromCodePage936(std::span<const std::uint8_t> bytes);

// Encodes text in code page 936; nullopt when a character has no encoding.
std::optional<std::vector<std::uint8_t>> ToCodePage936(StringView text);

}  // namespace mivello
