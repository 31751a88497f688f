#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/conversions.h"

namespace mivello {
namespace {

constexpr int kSignificant = 15;

struct Digits {
  std::string digits;  // kSignificant digits, the first nonzero
  int exponent = 0;    // decimal exponent of the first digit
};

// The C library's exact "%.*e" rendering, read as digits and an exponent.
// The decimal point is whatever the locale makes it: only digits are kept.
Digits Scientific(double magnitude, int precision, std::array<char, 800>& buffer) {
#ifdef _WIN32
  __mingw_snprintf(buffer.data(), buffer.size(), "%.*e", precision, magnitude);
#else
  std::snprintf(buffer.data(), buffer.size(), "%.*e", precision, magnitude);
#endif
  const std::string_view text(buffer.data());
  const std::size_t e = text.find('e');
  Digits d;
  for (char c : text.substr(0, e)) {
    if (c >= '0' && c <= '9') d.digits.push_back(c);
  }
  d.exponent = std::atoi(text.data() + e + 1);
  return d;
}

// printf rounds exact ties to even; the runtime rounds them away from zero.
// A tie needs the value to have exactly 16 significant digits, the last a 5.
Digits RoundTo15(double magnitude) {
  std::array<char, 800> buffer{};
  Digits sixteen = Scientific(magnitude, kSignificant, buffer);
  if (sixteen.digits.back() == '5') {
    // 767 digits hold any Double exactly: zeros after the 16th mean a tie.
    const Digits exact = Scientific(magnitude, 767, buffer);
    if (exact.digits.find_first_not_of('0', kSignificant + 1) == std::string::npos &&
        exact.digits.compare(0, kSignificant + 1, sixteen.digits) == 0) {
      Digits up{sixteen.digits.substr(0, kSignificant), sixteen.exponent};
      int i = kSignificant - 1;
      for (; i >= 0 && up.digits[static_cast<std::size_t>(i)] == '9'; --i) {
        up.digits[static_cast<std::size_t>(i)] = '0';
      }
      if (i >= 0) {
        ++up.digits[static_cast<std::size_t>(i)];
      } else {
        up.digits.insert(up.digits.begin(), '1');
        up.digits.pop_back();
        ++up.exponent;
      }
      return up;
    }
  }
  return Scientific(magnitude, kSignificant - 1, buffer);
}

}  // namespace

String vbaStrR8(double value) {
  if (std::isnan(value)) return u"-1.#IND";
  if (std::isinf(value)) return value < 0 ? u"-1.#INF" : u"1.#INF";
  if (value == 0) return u"0";  // negative zero too

  Digits d = RoundTo15(std::fabs(value));
  d.digits.erase(d.digits.find_last_not_of('0') + 1);
  const int count = static_cast<int>(d.digits.size());

  std::string out;
  if (value < 0) out.push_back('-');
  const int decimalsNeeded = count - 1 - d.exponent;
  if (d.exponent >= kSignificant || decimalsNeeded > kSignificant) {
    out.push_back(d.digits[0]);
    if (count > 1) {
      out.push_back('.');
      out.append(d.digits, 1);
    }
    const int e = std::abs(d.exponent);
    out.push_back('E');
    out.push_back(d.exponent < 0 ? '-' : '+');
    if (e < 10) out.push_back('0');
    out.append(std::to_string(e));
  } else if (d.exponent < 0) {
    out.append("0.");
    out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
    out.append(d.digits);
  } else {
    const auto integerDigits = static_cast<std::size_t>(d.exponent + 1);
    if (d.digits.size() <= integerDigits) {
      out.append(d.digits);
      out.append(integerDigits - d.digits.size(), '0');
    } else {
      out.append(d.digits, 0, integerDigits);
      out.push_back('.');
      out.append(d.digits, integerDigits);
    }
  }
  return String(out.begin(), out.end());
}

}  // namespace mivello
