#include "runtime/qt/pictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPixmap>

namespace mivello::qt {
namespace {

QByteArray Bytes(const std::vector<std::uint8_t>& data) {
  return QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                 static_cast<qsizetype>(data.size()));
}

}  // namespace

QImage FirstFrame(const std::vector<std::uint8_t>& gif) { return QImage::fromData(Bytes(gif), "GIF"); }

QIcon IconFromFile(const std::vector<std::uint8_t>& ico) {
  QByteArray bytes = Bytes(ico);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ICO");
  QIcon icon;
  for (int i = 0; i < reader.imageCount(); ++i) {
    if (!reader.jumpToImage(i)) break;
    const QImage image = reader.read();
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace mivello::qt
