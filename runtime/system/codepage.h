#pragma once
// Code page 936 (Simplified Chinese, GBK), the encoding of stored form texts.
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

#include "runtime/string.h"

namespace mivello {

// The system has no converter for code page 936 (a C library without its
// character-set modules): no stored text can be read, whatever its bytes.
class NoCodePage936 : public std::runtime_error {
 public:
  NoCodePage936();
};

// Decodes code page 936 bytes; nullopt when some of them form no character.
// Throws NoCodePage936 when the system cannot convert the code page at all.
std::optional<String> FromCodePage936(std::span<const std::uint8_t> bytes);

// Encodes text in code page 936; nullopt when a character has no encoding.
// Throws NoCodePage936 as FromCodePage936 does.
std::optional<std::vector<std::uint8_t>> ToCodePage936(StringView text);

}  // namespace mivello
