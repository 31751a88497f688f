#include "runtime/system/browser_stand_in.h"

namespace mivello {
namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }
bool IsLetter(char16_t c) { return Lower(c) >= u'a' && Lower(c) <= u'z'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool NamesInternetExplorer(StringView program) {
  const std::size_t slash = program.find_last_of(u"\\/");
  const StringView name = slash == StringView::npos ? program : program.substr(slash + 1);
  constexpr StringView kName = u"iexplore.exe";
  if (name.size() != kName.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (Lower(name[i]) != kName[i]) return false;
  return true;
}

// A scheme as links spell it: a letter, then letters, digits, "+", "-" or
// ".", then ":".
bool BeginsWithScheme(StringView link) {
  const std::size_t colon = link.find(u':');
  if (colon == StringView::npos || colon < 2 || !IsLetter(link[0])) return false;
  for (std::size_t i = 1; i < colon; ++i) {
    const char16_t c = link[i];
    if (!IsLetter(c) && !IsDigit(c) && c != u'+' && c != u'-' && c != u'.') return false;
  }
  return true;
}

}  // namespace

std::optional<String> LinkForSchemeHandler(const CommandLine& line) {
  if (!NamesInternetExplorer(line.program) || !BeginsWithScheme(line.argument)) return std::nullopt;
  if (line.argument.find_first_of(u" \t\"") != String::npos) return std::nullopt;  // more than one link
  return line.argument;
}

}  // namespace mivello
