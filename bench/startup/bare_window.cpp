// The baseline for the start-up benchmark: a plain Qt window with Form1's
// twelve text boxes, buttons and labels made directly in code.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "runtime/geometry.h"
#include "runtime/qt/qt_text.h"
#include "ui/form1/content.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QFont font = QApplication::font();
  font.setPointSize(9);
  app.setFont(font);
  const mivello::FormModel form = mivello::Form1Content({});
  QWidget window;
  window.setWindowTitle(mivello::qt::ToQString(form.caption));
  window.setFixedSize(form.clientRect.width / 15, form.clientRect.height / 15);
  for (const mivello::ControlModel& c : form.controls) {
    QWidget* w = nullptr;
    switch (c.kind) {
      case mivello::ControlClass::TextBox: w = new QLineEdit(&window); break;
      case mivello::ControlClass::CommandButton: w = new QPushButton(mivello::qt::ToQString(c.caption), &window); break;
      case mivello::ControlClass::Label: w = new QLabel(mivello::qt::ToQString(c.caption), &window); break;
      default: continue;
    }
    const mivello::PixelRect r = mivello::ToPixels(c.rect);
    w->setGeometry(r.left, r.top, r.width, r.height);
  }
  window.show();
  return app.exec();
}
