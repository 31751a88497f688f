#pragma once
// Fontconfig's configuration, made on a second thread while Qt connects to
// the display and starts. The first widget would otherwise wait for it
// (every configuration file parsed, every font cache opened): the largest
// single step of start-up, and one that needs neither the display nor Qt.
// Qt then finds it made.
#include <thread>

namespace mivello::qt {

class FontConfigWarmUp {
 public:
  FontConfigWarmUp();
  // Returns once the configuration is made; at once when it already is.
  void Wait();

 private:
  std::jthread thread_;
};

}  // namespace mivello::qt
