#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/conversions.h"
#include "runtime/runtime_error.h"

namespace mivello {
namespace {

// More significant digits than this cannot change a correctly rounded Double;
// the rest only matter as "something nonzero follows".
constexpr std::size_t kKeptDigits = 800;
constexpr std::int64_t kExponentClamp = 100'000'000;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsTypeSuffix(char16_t c) { return c == u'%' || c == u'&' || c == u'!' || c == u'#' || c == u'@'; }

// A Chinese input method in full-width mode types "１９９" and "８．５",
// sometimes after an ideographic space: each full-width form of an ASCII
// character reads as that character, the ideographic space as a blank. In
// Chinese punctuation mode its period key types the ideographic full stop,
// which reads as the period wherever it stands.
char16_t Narrow(char16_t c) {
  if (c >= u'\uFF01' && c <= u'\uFF5E') return static_cast<char16_t>(c - 0xFEE0);
  if (c == u'\u3002') return u'.';
  return c == u'\u3000' ? u' ' : c;
}

class Reader {
 public:
  explicit Reader(StringView text) : text_(text) {}

  // The next character that is not a blank, or 0 at the end.
  char16_t Peek() {
    while (pos_ < text_.size() && IsBlank(Narrow(text_[pos_]))) ++pos_;
    return pos_ < text_.size() ? Narrow(text_[pos_]) : u'\0';
  }
  void Take() { ++pos_; }
  std::size_t Position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }

 private:
  StringView text_;
  std::size_t pos_ = 0;
};

int DigitValue(char16_t c, int radix) {
  int v = -1;
  if (c >= u'0' && c <= u'9')
    v = c - u'0';
  else if (c >= u'a' && c <= u'f')
    v = c - u'a' + 10;
  else if (c >= u'A' && c <= u'F')
    v = c - u'A' + 10;
  return v < radix ? v : -1;
}

// &H... or &O...: an integer of 16 bits when it fits and no '&' follows,
// otherwise of 32 bits, wrapping beyond that.
double ReadRadixInteger(Reader& in) {
  const char16_t letter = in.Peek();
  int radix = 0;
  if (letter == u'H' || letter == u'h') radix = 16;
  if (letter == u'O' || letter == u'o') radix = 8;
  if (radix == 0) return 0;
  in.Take();

  std::uint64_t value = 0;
  bool beyond32 = false;
  for (int digit; (digit = DigitValue(in.Peek(), radix)) >= 0; in.Take()) {
    value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
    if (value > 0xFFFF'FFFFu) beyond32 = true;
    value &= 0xFFFF'FFFFu;
  }
  bool force32 = false;
  if (IsTypeSuffix(in.Peek())) force32 = in.Peek() == u'&';

  if (!force32 && !beyond32 && value <= 0xFFFF) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Decimal digits without leading zeros, and the power of ten they are scaled by.
struct Decimal {
  std::string digits;
  std::int64_t exponent = 0;
  bool negative = false;
  bool hasPeriod = false;
};

void ReadMantissa(Reader& in, Decimal& d) {
  bool truncatedNonzero = false;
  for (char16_t c = in.Peek();; c = in.Peek()) {
    if (IsDigit(c)) {
      const bool leadingZero = d.digits.empty() && c == u'0';
      if (leadingZero) {
        if (d.hasPeriod) --d.exponent;
      } else if (d.digits.size() < kKeptDigits) {
        d.digits.push_back(static_cast<char>(c));
        if (d.hasPeriod) --d.exponent;
      } else {
        if (!d.hasPeriod) ++d.exponent;
        if (c != u'0') truncatedNonzero = true;
      }
    } else if (c == u'.' && !d.hasPeriod) {
      d.hasPeriod = true;
    } else {
      break;
    }
    in.Take();
  }
  if (truncatedNonzero) {  // keeps ties and halfway cases deciding correctly
    d.digits.push_back('1');
    --d.exponent;
  }
}

// E or D, an optional sign and digits; a letter without digits is ignored.
void ReadExponent(Reader& in, Decimal& d) {
  const std::size_t start = in.Position();
  const char16_t letter = in.Peek();
  if (letter != u'E' && letter != u'e' && letter != u'D' && letter != u'd') return;
  in.Take();
  bool negative = false;
  if (in.Peek() == u'+' || in.Peek() == u'-') {
    negative = in.Peek() == u'-';
    in.Take();
  }
  std::int64_t value = 0;
  bool any = false;
  while (IsDigit(in.Peek())) {
    value = std::min(value * 10 + (in.Peek() - u'0'), kExponentClamp);
    any = true;
    in.Take();
  }
  if (!any) {
    in.Rewind(start);
    return;
  }
  d.exponent += negative ? -value : value;
}

// The C library's conversion, which rounds correctly (MinGW's own, not the
// system's older one).
double CorrectlyRoundedStrtod(const char* text) {
#ifdef _WIN32
  return __mingw_strtod(text, nullptr);
#else
  return std::strtod(text, nullptr);
#endif
}

double ToDouble(const Decimal& d) {
  if (d.digits.empty()) return 0;
  // Decimal exponent of the leading digit: value lies in [10^lead, 10^(lead+1)).
  const std::int64_t lead = d.exponent + static_cast<std::int64_t>(d.digits.size()) - 1;
  if (lead > 400) Raise(ErrorNumber::Overflow);
  if (lead < -400) return d.negative ? -0.0 : 0.0;

  // Integer digits and an exponent: no decimal point, so no locale matters.
  std::string text = d.digits;
  text += 'e';
  text += std::to_string(d.exponent);
  double value = CorrectlyRoundedStrtod(text.c_str());
  if (std::isinf(value)) Raise(ErrorNumber::Overflow);
  return d.negative ? -value : value;
}

}  // namespace

double TextToDouble(StringView text) {
  Reader in(text);
  if (in.Peek() == u'&') {
    in.Take();
    return ReadRadixInteger(in);
  }

  Decimal d;
  if (in.Peek() == u'+' || in.Peek() == u'-') {
    d.negative = in.Peek() == u'-';
    in.Take();
  }
  ReadMantissa(in, d);
  ReadExponent(in, d);

  const char16_t suffix = in.Peek();
  if ((suffix == u'%' || suffix == u'&') && d.hasPeriod) Raise(ErrorNumber::TypeMismatch);
  return ToDouble(d);
}

}  // namespace mivello
