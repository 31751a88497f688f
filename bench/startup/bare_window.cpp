// The floors for the start-up benchmark: a plain Qt window with Form1's
// twelve text boxes, buttons and labels made directly in code; and, built
// with MIVELLO_FAIR_FLOOR, the fair floor, which also shows what any program
// showing Form1 pays for: the icon and the two badges through the program's
// own picture functions (built in, as the program's are), Qt's Chinese texts
// and the CJK faces behind the 9-point font.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTranslator>
#include <QWidget>

#include "runtime/qt/qt_text.h"
#include "runtime/window_model/geometry.h"
#include "ui/form1/content.h"
#if MIVELLO_FAIR_FLOOR
#include "bench_assets.h"
#include "runtime/qt/pictures.h"
#endif

int main(int argc, char** argv) {
  using mivello::ControlClass;
  QApplication app(argc, argv);
  QFont font = QApplication::font();
  font.setPointSize(9);
#if MIVELLO_FAIR_FLOOR
  font.setFamilies({font.family(), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
  QTranslator translator;
  if (translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(&translator);
  const mivello::FormModel form =
      mivello::Form1Content({mivello::bench::Icon(), mivello::bench::Wangwang(), mivello::bench::Qq()});
#else
  const mivello::FormModel form = mivello::Form1Content({});
#endif
  app.setFont(font);
  QWidget window;
  window.setWindowTitle(mivello::qt::ToQString(form.caption));
#if MIVELLO_FAIR_FLOOR
  window.setWindowIcon(mivello::qt::IconFromFile(form.icon));
#endif
  window.setFixedSize(form.clientRect.width / 15, form.clientRect.height / 15);
  for (const mivello::ControlModel& c : form.controls) {
    QWidget* w = nullptr;
    if (c.kind == ControlClass::TextBox) {
      w = new QLineEdit(&window);
    } else if (c.kind == ControlClass::CommandButton) {
      w = new QPushButton(mivello::qt::ToQString(c.caption), &window);
    } else if (c.kind == ControlClass::Label) {
      w = new QLabel(mivello::qt::ToQString(c.caption), &window);
#if MIVELLO_FAIR_FLOOR
    } else if (c.kind == ControlClass::Picture) {
      auto* picture = new QLabel(&window);
      picture->setPixmap(QPixmap::fromImage(mivello::qt::FirstFrame(c.picture)));
      w = picture;
#endif
    } else {
      continue;
    }
    const mivello::PixelRect r = mivello::ToPixels(c.rect);
    w->setGeometry(r.left, r.top, r.width, r.height);
  }
  window.show();
  return app.exec();
}
