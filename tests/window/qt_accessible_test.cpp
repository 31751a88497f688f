// The form's accessible interface asked at every moment of the window's
// life, as Qt and assistive tools ask it: while the window is made (Qt 6.8
// asks as soon as the title is set, before any control exists), between two
// of its controls, and while it is taken apart.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <algorithm>
#include <optional>
#include <vector>

#include "app/project_record.h"
#include "runtime/qt/qt_backend.h"
#include "runtime/qt/qt_text.h"
#include "runtime/startup/run_project.h"
#include "runtime/window_model/accessibility.h"
#include "runtime/window_model/geometry.h"

namespace mivello {
namespace {

// What a tool reads of the form at one moment: its children's names, and
// whether each child is there and found again at its index and its place.
struct Reading {
  std::vector<QString> names;
  bool consistent = true;
};

Reading Read(QWidget* window) {
  Reading r;
  QAccessibleInterface* form = QAccessible::queryAccessibleInterface(window);
  if (form == nullptr) return {{}, false};
  for (int i = 0; i < form->childCount(); ++i) {
    QAccessibleInterface* child = form->child(i);
    if (child == nullptr || !child->isValid()) {
      r.consistent = false;
      continue;
    }
    r.names.push_back(child->text(QAccessible::Name));
    if (form->indexOfChild(child) != i) r.consistent = false;
    const QRect place = child->rect();
    if (!place.isEmpty()) {
      QAccessibleInterface* there = form->childAt(place.center().x(), place.center().y());
      if (there != nullptr && form->indexOfChild(there) < 0) r.consistent = false;
    }
  }
  return r;
}

// Reads the form whenever its title is set or a control is added to it.
class WhileMade : public QObject {
 public:
  explicit WhileMade(std::vector<Reading>& readings) : readings_(readings) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = dynamic_cast<qt::FormWindow*>(watched);
    if (window != nullptr &&
        (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ChildAdded))
      readings_.push_back(Read(window));
    return false;
  }

 private:
  std::vector<Reading>& readings_;
};

bool IsSubsequence(const std::vector<QString>& part, const std::vector<QString>& whole) {
  auto at = whole.begin();
  for (const QString& name : part) {
    at = std::find(at, whole.end(), name);
    if (at == whole.end()) return false;
    ++at;
  }
  return true;
}

TEST(QtFormAccessible, AnswersWhileTheWindowIsMadeAndTakenApart) {
  std::vector<Reading> whileMade;
  std::vector<Reading> whileTakenApart;
  std::vector<QString> everyElement;
  std::vector<QString> paintedLinks;
  std::optional<Reading> made;
  {
    qt::QtBackend backend("mivello-test");
    WhileMade watcher(whileMade);
    backend.Application().installEventFilter(&watcher);
    {
      ProjectSession session(MivelloProject(), backend);
      backend.Application().removeEventFilter(&watcher);
      for (const AccessibleElement& e : AccessibleElements(session.TheForm(), session.Events())) {
        everyElement.push_back(qt::ToQString(e.name));
        if (e.painted() && e.role != AccessibleRole::StaticText)
          paintedLinks.push_back(qt::ToQString(e.name));
      }
      made = Read(backend.Window());
      // The window goes before the form it shows; each control's end is a
      // moment a tool may ask.
      for (QWidget* child : backend.Window()->findChildren<QWidget*>()) {
        QObject::connect(child, &QObject::destroyed,
                         [&, window = backend.Window()] { whileTakenApart.push_back(Read(window)); });
      }
    }
  }
  ASSERT_FALSE(whileMade.empty());
  EXPECT_EQ(whileMade.front().names, paintedLinks) << "before any control: the links the runtime paints";
  for (std::size_t k = 0; k < whileMade.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_TRUE(whileMade[k].consistent);
    EXPECT_TRUE(IsSubsequence(whileMade[k].names, everyElement));
    if (k > 0) {
      EXPECT_GE(whileMade[k].names.size(), whileMade[k - 1].names.size());
    }
  }
  ASSERT_TRUE(made.has_value());
  EXPECT_TRUE(made->consistent);
  EXPECT_EQ(made->names, everyElement) << "once made: every element in reading order";
  // Asked while the controls go, Qt's plain interface of a widget answers
  // with what is left (a control being destroyed is no longer valid); what
  // counts is that nothing reads the window's own state, which is gone.
  EXPECT_EQ(whileTakenApart.size(), everyElement.size() - paintedLinks.size());
}

}  // namespace
}  // namespace mivello
