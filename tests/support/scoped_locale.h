#pragma once
// The C library's locale switched for one test, and back at its end.
#include <clocale>
#include <initializer_list>
#include <string>

namespace mivello::testing_support {

class ScopedLocale {
 public:
  // The first of `names` that this system has; none may be there (Installed()).
  explicit ScopedLocale(std::initializer_list<const char*> names) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    saved_ = previous != nullptr ? previous : "C";
    for (const char* name : names) {
      if (std::setlocale(LC_ALL, name) != nullptr) {
        installed_ = true;
        break;
      }
    }
  }
  ~ScopedLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

  bool Installed() const { return installed_; }

 private:
  std::string saved_;
  bool installed_ = false;
};

}  // namespace mivello::testing_support
