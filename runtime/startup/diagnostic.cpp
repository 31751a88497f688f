#include "runtime/startup/diagnostic.h"

#include <cstdio>
#include <string>

namespace mivello {
namespace {

std::string& Name() {
  static std::string name;
  return name;
}

}  // namespace

void SetDiagnosticName(std::string_view name) { Name() = name; }

void WriteDiagnostic(std::string_view message) noexcept {
  const std::string& name = Name();
  if (name.empty()) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
  } else {
    std::fprintf(stderr, "%s: %.*s\n", name.c_str(), static_cast<int>(message.size()), message.data());
  }
}

}  // namespace mivello
