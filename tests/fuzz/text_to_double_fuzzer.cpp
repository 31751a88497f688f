// Any UTF-16 text: TextToDouble either gives a finite number or raises one of
// its two errors, in time linear in the text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "runtime/conversions.h"
#include "runtime/runtime_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mivello::String text(size / 2, u'\0');
  std::memcpy(text.data(), data, text.size() * 2);
  try {
    const double value = mivello::TextToDouble(text);
    if (!std::isfinite(value)) std::abort();
    // What the window would show must read back as the same 15 digits.
    const mivello::String shown = mivello::vbaStrR8(value);
    if (mivello::vbaStrR8(mivello::TextToDouble(shown)) != shown) std::abort();
  } catch (const mivello::RuntimeError& e) {
    if (e.Number() != 6 && e.Number() != 13) std::abort();
  }
  return 0;
}
