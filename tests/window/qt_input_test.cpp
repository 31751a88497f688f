// Form1 on the Qt backend, in process, on Qt's offscreen platform: how the
// window translates the keys, the mouse and the focus for the runtime, and
// what it shows when a procedure fails.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>
#include <vector>

#include "runtime/qt/qt_text.h"
#include "tests/expected/expected_values.h"
#include "tests/window/qt_form1.h"

namespace mivello {
namespace {

using testing_support::QtForm1;

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
