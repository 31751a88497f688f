// Form1 on the Qt backend, in process, on Qt's offscreen platform: what the
// window shows (where each control sits, captions, font, pictures, tooltips).
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>
#include <vector>

#include "runtime/qt/pictures.h"
#include "runtime/qt/qt_text.h"
#include "tests/expected/expected_values.h"
#include "tests/window/qt_form1.h"

namespace mivello {
namespace {

using testing_support::QtForm1;

struct Placement {
  const char* name;
  QRect pixels;
};

TEST_F(QtForm1, NativeControlsSitAtTheirPixelRectangles) {
  EXPECT_EQ(window_->size(), QSize(470, 123));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());  // fixed size
  EXPECT_EQ(window_->windowTitle().toStdString(), expected::caption);
  EXPECT_FALSE(window_->windowIcon().isNull());
  EXPECT_EQ(window_->windowIcon().availableSizes().size(), 4);
  const Placement placements[] = {
      {"Text1", {56, 24, 57, 25}},     {"Text2", {152, 24, 57, 25}},    {"Text3", {248, 24, 65, 25}},
      {"Command1", {320, 24, 65, 25}}, {"Command2", {400, 24, 57, 25}},
  };
  for (const Placement& p : placements) {
    QWidget* w = Widget<QWidget>(p.name);
    ASSERT_NE(w, nullptr) << p.name;
    EXPECT_EQ(w->geometry(), p.pixels) << p.name;
  }
  EXPECT_EQ(Widget<QPushButton>("Command1")->text(), QStringLiteral("计算"));
  EXPECT_EQ(Widget<QPushButton>("Command2")->text(), QStringLiteral("重来"));
  EXPECT_EQ(Widget<QLineEdit>("Text1")->accessibleName(), QStringLiteral("原价"));
  EXPECT_EQ(Widget<QLineEdit>("Text2")->accessibleName(), QStringLiteral("折扣"));
  EXPECT_EQ(Widget<QLineEdit>("Text3")->accessibleName(), QStringLiteral("现价"));
  EXPECT_EQ(Widget<QPushButton>("Command1")->accessibleName(), QStringLiteral("计算"));
}

TEST_F(QtForm1, EveryCaptionFitsItsLabelAt9Points) {
  const QFontMetrics metrics(window_->font());
  EXPECT_EQ(window_->font().pointSize(), 9);
  for (const ControlModel& c : session_.TheForm().Model().controls) {
    if (c.kind != ControlClass::Label) continue;
    EXPECT_LE(metrics.horizontalAdvance(qt::ToQString(c.caption)), ToPixels(c.rect).width) << c.name;
  }
}

// A platform theme (qt6ct, KDE) sets its own font for the whole application
// after start-up: the window keeps the one it was designed with.
TEST_F(QtForm1, KeepsItsFontWhenAThemeChangesTheApplicationsFont) {
  QFont themed(QStringLiteral("DejaVu Sans"));
  themed.setPointSize(12);
  QApplication::setFont(themed);
  QCoreApplication::processEvents();
  EXPECT_EQ(window_->font().pointSize(), 9);
  EXPECT_EQ(Widget<QLineEdit>("Text1")->font().pointSize(), 9);
  EXPECT_EQ(Widget<QPushButton>("Command1")->font().pointSize(), 9);
  const QFontMetrics metrics(window_->font());
  for (const ControlModel& c : session_.TheForm().Model().controls) {
    if (c.kind != ControlClass::Label) continue;
    EXPECT_LE(metrics.horizontalAdvance(qt::ToQString(c.caption)), ToPixels(c.rect).width) << c.name;
  }
}

// The program decodes its pictures itself (no plugin search at start-up):
// pixel for pixel what Qt's own GIF and ICO readers give.
TEST_F(QtForm1, PicturesDecodeAsQtsOwnReadersDo) {
  const auto bytes = [](const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
  };
  const FormModel& form = session_.TheForm().Model();
  int pictures = 0;
  for (const ControlModel& c : form.controls) {
    if (c.kind != ControlClass::Picture) continue;
    ++pictures;
    const QImage qts =
        QImage::fromData(bytes(c.picture), "GIF").convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(qt::FirstFrame(c.picture), qts) << c.name;
  }
  EXPECT_EQ(pictures, 2);
  QByteArray icon = bytes(form.icon);
  QBuffer buffer(&icon);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ICO");
  const QIcon ours = qt::IconFromFile(form.icon);
  ASSERT_EQ(reader.imageCount(), 4);
  for (int i = 0; i < reader.imageCount(); ++i) {
    ASSERT_TRUE(reader.jumpToImage(i));
    const QImage qts = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(ours.pixmap(qts.size()).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), qts)
        << qts.width();
  }
}

TEST_F(QtForm1, TheToolTipIsWhatTheRuntimeSaysAtThePoint) {
  auto tipAt = [&](int x, int y) {
    QToolTip::hideText();  // hides after a short delay
    for (int i = 0; i < 100 && QToolTip::isVisible(); ++i) QTest::qWait(10);
    QHelpEvent help(QEvent::ToolTip, QPoint(x, y), window_->mapToGlobal(QPoint(x, y)));
    QApplication::sendEvent(window_, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(tipAt(275, 110), QStringLiteral("点击联系我旺旺"));  // what the runtime says there
  EXPECT_EQ(tipAt(240, 110), QString());                         // and where it says nothing
}

}  // namespace
}  // namespace mivello
