#include "runtime/qt/pictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPixmap>
#include <cstring>

#include "runtime/pictures/decode.h"

namespace mivello::qt {
namespace {

QByteArray Bytes(const std::vector<std::uint8_t>& data) {
  return QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                 static_cast<qsizetype>(data.size()));
}

QImage ToQImage(const pictures::Bitmap& bitmap) {
  QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < bitmap.height; ++y) {
    std::memcpy(image.scanLine(y), bitmap.pixels.data() + static_cast<std::size_t>(y) * bitmap.width,
                static_cast<std::size_t>(bitmap.width) * sizeof(std::uint32_t));
  }
  return image;
}

}  // namespace

// Decoded here rather than by Qt's image readers: those find their plugins
// by scanning a folder and loading them, a tenth of the program's start-up.
// What this decoder leaves out, Qt's readers still take.
QImage FirstFrame(const std::vector<std::uint8_t>& gif) {
  const pictures::Bitmap frame = pictures::FirstGifFrame(gif);
  return frame.empty() ? QImage::fromData(Bytes(gif), "GIF") : ToQImage(frame);
}

QIcon IconFromFile(const std::vector<std::uint8_t>& ico) {
  QIcon icon;
  for (const pictures::Bitmap& image : pictures::IconImages(ico))
    icon.addPixmap(QPixmap::fromImage(ToQImage(image)));
  if (!icon.isNull()) return icon;
  QByteArray bytes = Bytes(ico);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ICO");
  for (int i = 0; i < reader.imageCount(); ++i) {
    if (!reader.jumpToImage(i)) break;
    const QImage image = reader.read();
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace mivello::qt
