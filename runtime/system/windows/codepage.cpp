// Code page 936 through the Windows national language support.
#include "runtime/system/codepage.h"

#include <windows.h>

namespace mivello {
namespace {

// Every Windows since XP has the code page; a stripped-down one may not.
void RequireCodePage936() {
  if (!IsValidCodePage(936)) throw NoCodePage936();
}

}  // namespace

NoCodePage936::NoCodePage936()
    : std::runtime_error(
          "Windows has no code page 936 (GBK), in which the window's texts are stored: "
          "add the Chinese (Simplified) language support") {}

std::optional<String> FromCodePage936(std::span<const std::uint8_t> bytes) {
  RequireCodePage936();
  if (bytes.empty()) return String();
  const auto* in = reinterpret_cast<const char*>(bytes.data());
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, in, size, nullptr, 0);
  if (length == 0) return std::nullopt;
  String text(static_cast<std::size_t>(length), u'\0');
  MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, in, size, reinterpret_cast<wchar_t*>(text.data()), length);
  return text;
}

std::optional<std::vector<std::uint8_t>> ToCodePage936(StringView text) {
  RequireCodePage936();
  if (text.empty()) return std::vector<std::uint8_t>{};
  const auto* in = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  BOOL lossy = FALSE;
  const int length = WideCharToMultiByte(936, 0, in, size, nullptr, 0, nullptr, &lossy);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  WideCharToMultiByte(936, 0, in, size, reinterpret_cast<char*>(bytes.data()), length, nullptr, &lossy);
  if (lossy) return std::nullopt;
  return bytes;
}

}  // namespace mivello
