// Form1 on the Qt backend, in process, on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <memory>
#include <stdexcept>
#include <vector>

#include "runtime/qt/pictures.h"
#include "runtime/qt/qt_text.h"
#include "tests/expected/expected_values.h"
#include "tests/window/qt_form1.h"

namespace mivello {
namespace {

class QtForm1 : public testing_support::QtForm1 {
 protected:
  QWidget* Focused() const { return QApplication::focusWidget(); }
  void ClickAt(int x, int y) { QTest::mouseClick(window_, Qt::LeftButton, {}, QPoint(x, y)); }
  // As the window system delivers a double-click: press, release, then a
  // press that is the double-click, and its release.
  void DoubleClickAt(int x, int y) {
    QTest::mouseDClick(window_->windowHandle(), Qt::LeftButton, {}, QPoint(x, y));
    QTest::qWait(QApplication::doubleClickInterval() + 50);  // the next press starts anew
  }
};

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

TEST_F(QtForm1, TabVisitsTheControlsInOrderFromCommand1) {
  std::vector<QString> visited{Focused() ? Focused()->objectName() : QString()};
  for (int i = 0; i < 5; ++i) {
    QTest::keyClick(Focused(), Qt::Key_Tab);
    visited.push_back(Focused() ? Focused()->objectName() : QString());
  }
  EXPECT_EQ(visited, (std::vector<QString>{"Command1", "Text1", "Text2", "Text3", "Command2", "Command1"}));
}

TEST_F(QtForm1, KeyboardClicksFocusedButtonsOnlyAndEnterInABoxDoesNothing) {
  auto* text1 = Widget<QLineEdit>("Text1");
  auto* text2 = Widget<QLineEdit>("Text2");
  auto* text3 = Widget<QLineEdit>("Text3");
  text1->setFocus();
  QTest::keyClicks(text1, "100");
  text2->setFocus();
  QTest::keyClicks(text2, "9");
  QTest::keyClick(text2, Qt::Key_Return);
  QTest::keyClick(text2, Qt::Key_Escape);
  EXPECT_EQ(text3->text(), QString());
  auto* command1 = Widget<QPushButton>("Command1");
  command1->setFocus();
  QTest::keyClick(command1, Qt::Key_Space);
  EXPECT_EQ(text3->text(), QStringLiteral("90"));
  auto* command2 = Widget<QPushButton>("Command2");
  command2->setFocus();
  QTest::keyClick(command2, Qt::Key_Return);
  EXPECT_EQ(text1->text(), QString());
  EXPECT_EQ(Focused(), command2);  // Reset leaves the focus where it was
}

// The window's translation of the mouse, one row each: a native button's own
// click and a press and release on what the runtime paints.
TEST_F(QtForm1, TheMouseReachesTheNativeButtonsAndWhatIsPainted) {
  QTest::mouseClick(Widget<QPushButton>("Command1"), Qt::LeftButton);
  EXPECT_EQ(Widget<QLineEdit>("Text3")->text(), QStringLiteral("0"));
  ClickAt(275, 110);  // 旺旺： under the badge: the badge
  ASSERT_EQ(launches_.size(), 1u);
  EXPECT_EQ(ToUtf8(launches_[0]), expected::wangwang_link);
}

TEST_F(QtForm1, ADoubleClickOnALinkOpensItOnce) {
  DoubleClickAt(290, 100);  // Image1
  DoubleClickAt(30, 110);   // Label1
  ASSERT_EQ(launches_.size(), 2u);
  EXPECT_EQ(ToUtf8(launches_[0]), expected::wangwang_link);
  EXPECT_EQ(ToUtf8(launches_[1]), expected::shop_link);
}

// The window is told where the focus goes when it is active again: Qt's own
// memory of it is cleared while another window has the focus.
TEST_F(QtForm1, TheFocusComesBackWhereItWasAfterAnotherWindow) {
  auto* text2 = Widget<QLineEdit>("Text2");
  text2->setFocus();
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  text2->clearFocus();
  ASSERT_EQ(window_->focusWidget(), nullptr);
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  EXPECT_EQ(Focused(), text2);
}

TEST_F(QtForm1, ShiftTabGoesBackAndEscInABoxIsTaken) {
  QTest::keyClick(Focused(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Focused()->objectName(), QStringLiteral("Command2"));
  QTest::keyClick(Focused(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Focused()->objectName(), QStringLiteral("Text3"));
  auto* text3 = Widget<QLineEdit>("Text3");
  QTest::keyClicks(text3, "1 2");  // Space is typed in a box
  EXPECT_EQ(text3->text(), QStringLiteral("1 2"));
  // Esc is the form's: taken before the box (which would ignore it and let
  // it go on to the window), and nothing changes.
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(text3, &escape);
  EXPECT_TRUE(escape.isAccepted());
  EXPECT_EQ(text3->text(), QStringLiteral("1 2"));
  EXPECT_EQ(Focused(), text3);
  EXPECT_TRUE(launches_.empty());
}

// The window hands the arrows to the runtime: on a button they move the
// focus along the tab order; a text box keeps them for its caret.
TEST_F(QtForm1, ArrowsMoveTheFocusFromAButtonOnly) {
  auto* command2 = Widget<QPushButton>("Command2");
  command2->setFocus();
  QTest::keyClick(command2, Qt::Key_Right);
  EXPECT_EQ(Focused()->objectName(), QStringLiteral("Command1"));
  QTest::keyClick(Focused(), Qt::Key_Up);
  EXPECT_EQ(Focused()->objectName(), QStringLiteral("Command2"));
  auto* text1 = Widget<QLineEdit>("Text1");
  text1->setFocus();
  QTest::keyClicks(text1, "12");
  QTest::keyClick(text1, Qt::Key_Left);
  EXPECT_EQ(Focused(), text1);
  EXPECT_EQ(text1->cursorPosition(), 1);
}

TEST_F(QtForm1, TextBoxesTakeLongTexts) {
  const QString longPrice = QStringLiteral("1") + QString(40000, QLatin1Char('0'));
  auto* text1 = Widget<QLineEdit>("Text1");
  text1->setText(longPrice);
  EXPECT_EQ(text1->text().size(), longPrice.size());
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

TEST_F(QtForm1, AnUntrappedErrorShowsAMessageBoxAndTheWindowGoesOn) {
  auto* text1 = Widget<QLineEdit>("Text1");
  text1->setText("1e400");
  QString title, text;
  bool downWhileShown = true;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      downWhileShown = Widget<QPushButton>("Command1")->isDown();
      title = box->windowTitle();
      text = box->text();
      box->accept();
    }
  });
  // Clicked from the keyboard: after the box, the focus is on 计算 again.
  auto* command1 = Widget<QPushButton>("Command1");
  command1->setFocus();
  QTest::keyClick(command1, Qt::Key_Space);
  EXPECT_EQ(title, QStringLiteral("Mivello"));
  EXPECT_EQ(text, QStringLiteral("实时错误 '6':\n\n溢出"));
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(text1->text(), QStringLiteral("1e400"));
  EXPECT_EQ(Widget<QLineEdit>("Text3")->text(), QString());
  EXPECT_TRUE(QTest::qWaitFor([&] { return Focused() == command1; }));
  EXPECT_FALSE(downWhileShown) << "drawn up before the procedure ran";
}

// A link that cannot be opened, clicked while typing in 折扣: the box goes,
// and the focus is back in the box being typed in, not on the first button.
TEST_F(QtForm1, AfterTheBoxTheFocusIsBackInTheTextBoxThatHadIt) {
  ScopedLauncher cannotStart{[](const CommandLine&, StringView, WindowStyle) { return 0.0; }};
  auto* text2 = Widget<QLineEdit>("Text2");
  text2->setFocus();
  QTest::keyClicks(text2, "8");
  QString text;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      text = box->text();
      box->accept();
    }
  });
  ClickAt(30, 110);  // the shop line, which takes no focus
  EXPECT_TRUE(text.startsWith(QStringLiteral("实时错误 '53'"))) << text.toStdString();
  ASSERT_TRUE(QTest::qWaitFor([&] { return Focused() == text2; }))
      << (Focused() ? Focused()->objectName().toStdString() : "no focus");
  QTest::keyClicks(Focused(), ".5");
  EXPECT_EQ(text2->text(), QStringLiteral("8.5"));
}

// Whatever an event's handling throws stops at the one guard between Qt's
// loop and the runtime: a line on stderr, and the window goes on.
TEST_F(QtForm1, AnExceptionInAnEventIsALineAndTheWindowGoesOn) {
  struct Throws : QObject {
    bool event(QEvent*) override { throw std::runtime_error("a fault"); }
  } thrower;
  QEvent event(QEvent::User);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(QCoreApplication::sendEvent(&thrower, &event));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("内部错误：a fault"), std::string::npos);
  EXPECT_TRUE(window_->isVisible());
}

}  // namespace
}  // namespace mivello
