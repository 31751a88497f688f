#pragma once
// The runtime's String and Qt's QString are both UTF-16: copies, no conversion.
#include <QString>

#include "runtime/string.h"

namespace mivello::qt {

inline QString ToQString(StringView text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline String FromQString(const QString& text) {
  return String(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

}  // namespace mivello::qt
