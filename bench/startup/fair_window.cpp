// The fair floor for the start-up benchmark: the bare window of
// bare_window.cpp that also shows what any program showing Form1 pays for:
// the icon and the two badges decoded by Qt's image readers, Qt's Chinese
// texts, and the CJK faces behind the 9-point font. The pictures are built
// in, as the program's are.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTranslator>
#include <QWidget>
#include <vector>

#include "bench_assets.h"
#include "runtime/geometry.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/qt_text.h"
#include "ui/form1/content.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QFont font = QApplication::font();
  font.setPointSize(9);
  font.setFamilies({font.family(), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
  app.setFont(font);
  QTranslator translator;
  if (translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(&translator);

  const mivello::FormModel form =
      mivello::Form1Content({mivello::bench::Icon(), mivello::bench::Wangwang(), mivello::bench::Qq()});

  QWidget window;
  window.setWindowTitle(mivello::qt::ToQString(form.caption));
  window.setWindowIcon(mivello::qt::IconFromFile(form.icon));
  window.setFixedSize(form.clientRect.width / 15, form.clientRect.height / 15);
  for (const mivello::ControlModel& c : form.controls) {
    QWidget* w = nullptr;
    switch (c.kind) {
      case mivello::ControlClass::TextBox:
        w = new QLineEdit(&window);
        break;
      case mivello::ControlClass::CommandButton:
        w = new QPushButton(mivello::qt::ToQString(c.caption), &window);
        break;
      case mivello::ControlClass::Label:
        w = new QLabel(mivello::qt::ToQString(c.caption), &window);
        break;
      case mivello::ControlClass::Picture: {
        auto* picture = new QLabel(&window);
        picture->setPixmap(QPixmap::fromImage(mivello::qt::FirstFrame(c.picture)));
        w = picture;
        break;
      }
      default:
        continue;
    }
    const mivello::PixelRect r = mivello::ToPixels(c.rect);
    w->setGeometry(r.left, r.top, r.width, r.height);
  }
  window.show();
  return app.exec();
}
