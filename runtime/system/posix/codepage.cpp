// Code page 936 through iconv, as the C library provides it.
#include "runtime/system/codepage.h"

#include <errno.h>
#include <iconv.h>

#include <memory>

namespace mivello {
namespace {

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using Converter = std::unique_ptr<void, IconvCloser>;

// The C library loads its converter for code page 936 from a module of its
// own (GBK.so among its gconv modules), which a system can lack.
Converter Open(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw NoCodePage936();
  return Converter(cd);
}

// Converts all of `in`; on a sequence it cannot convert, calls `onInvalid`,
// which returns how many input bytes to skip, or 0 to give up.
template <typename OnInvalid>
bool Convert(iconv_t cd, const char* in, std::size_t inLeft, std::string& out, OnInvalid onInvalid) {
  char buffer[256];
  while (inLeft > 0) {
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    const std::size_t result = iconv(cd, const_cast<char**>(&in), &inLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (result != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    const std::size_t skip = onInvalid(out, inLeft);
    if (skip == 0) return false;
    in += skip;
    inLeft -= skip;
  }
  return true;
}

// Code page 936 has only characters of the Basic Multilingual Plane, so
// UCS-2 carries all of them; it is built into the C library, where UTF-16
// would be one more module to load at start-up.
constexpr char kUnicode[] = "UCS-2LE";

}  // namespace

NoCodePage936::NoCodePage936()
    : std::runtime_error(
          "the C library has no converter for code page 936 (GBK), in which the window's texts are stored: "
          "install its character-set modules (gconv; on Debian the libc6 package of this architecture)") {}

std::optional<String> FromCodePage936(std::span<const std::uint8_t> bytes) {
  Converter cd = Open(kUnicode, "CP936");
  std::string utf16;
  if (!Convert(static_cast<iconv_t>(cd.get()), reinterpret_cast<const char*>(bytes.data()), bytes.size(),
               utf16, [](std::string&, std::size_t) { return std::size_t{0}; })) {
    return std::nullopt;
  }
  String text(utf16.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(utf16[2 * i]) |
                                    (static_cast<unsigned char>(utf16[2 * i + 1]) << 8));
  }
  return text;
}

std::optional<std::vector<std::uint8_t>> ToCodePage936(StringView text) {
  Converter cd = Open("CP936", kUnicode);
  std::string in;
  for (char16_t c : text) in.append({static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)});
  std::string out;
  if (!Convert(static_cast<iconv_t>(cd.get()), in.data(), in.size(), out,
               [](std::string&, std::size_t) { return std::size_t{0}; })) {
    return std::nullopt;
  }
  return std::vector<std::uint8_t>(out.begin(), out.end());
}

}  // namespace mivello
