// Writes each image of an icon file as a PNG in an icon theme's layout:
//   icon_pngs ICON_FILE OUTPUT_FOLDER NAME  ->  OUTPUT_FOLDER/16x16/apps/NAME.png, ...
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: icon_pngs ICON_FILE OUTPUT_FOLDER NAME\n");
    return 2;
  }
  QImageReader reader(QString::fromLocal8Bit(argv[1]), "ICO");
  if (reader.imageCount() <= 0) {
    std::fprintf(stderr, "icon_pngs: no images in %s\n", argv[1]);
    return 1;
  }
  for (int i = 0; i < reader.imageCount(); ++i) {
    reader.jumpToImage(i);
    const QImage image = reader.read();
    if (image.isNull()) return 1;
    const QString size = QStringLiteral("%1x%2").arg(image.width()).arg(image.height());
    const QString folder = QString::fromLocal8Bit(argv[2]) + "/" + size + "/apps";
    QDir().mkpath(folder);
    if (!image.save(folder + "/" + QString::fromLocal8Bit(argv[3]) + ".png", "PNG")) return 1;
  }
  return 0;
}
