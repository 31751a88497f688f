#include "runtime/qt/font_config_warm_up.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace mivello::qt {

FontConfigWarmUp::FontConfigWarmUp() {
  try {
    // FcInit is safe to call from any thread; should Qt ask for the
    // configuration before it is made, it only waits or makes its own.
    thread_ = std::jthread([] { FcInit(); });
  } catch (const std::system_error&) {
    // No thread to be had: Qt makes the configuration itself, as it would anyway.
  }
}

void FontConfigWarmUp::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace mivello::qt
