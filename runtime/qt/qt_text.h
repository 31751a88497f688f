#pragma once
// The runtime's types in Qt's: String and QString are both UTF-16 (copies,
// no conversion); a control's twips as the pixels Qt lays out.
#include <QRect>
#include <QString>

#include "runtime/string.h"
#include "runtime/window_model/geometry.h"

namespace mivello::qt {

// A control's rectangle in Qt's device-independent pixels (96 to the inch).
inline QRect PixelsOf(const TwipsRect& twips) {
  const PixelRect r = ToPixels(twips);
  return {r.left, r.top, r.width, r.height};
}

inline QString ToQString(StringView text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline String FromQString(const QString& text) {
  return String(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

}  // namespace mivello::qt
