#include "runtime/qt/form_accessible.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QWindow>
#include <map>
#include <optional>
#include <vector>

#include "runtime/qt/form_window.h"
#include "runtime/qt/qt_text.h"
#include "runtime/window_model/accessibility.h"
#include "runtime/window_model/geometry.h"
#include "runtime/window_model/layout.h"

namespace mivello::qt {
namespace {

// A link the runtime paints (the shop line, a badge): no widget of its own.
// Its one action runs the control's Click, after the assistive tool's call
// has returned, as a click of the mouse would.
class PaintedLink : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  PaintedLink(FormWindow* window, AccessibleElement element)
      : window_(window), element_(std::move(element)) {}

  bool isValid() const override { return !window_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return window_ ? window_->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(window_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return ToQString(element_.name);
    if (t == QAccessible::Description) return ToQString(element_.description);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!window_) return {};
    const QRect local = PixelsOf(window_->Model().controls[element_.control].rect);
    return {window_->mapToGlobal(local.topLeft()), local.size()};
  }
  QAccessible::Role role() const override { return QAccessible::Link; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.linked = true;
    s.invisible = !window_ || !window_->isVisible();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name != pressAction() || !window_) return;
    QMetaObject::invokeMethod(
        window_.data(),
        [w = window_, i = element_.control] {
          if (w) w->Click(i);
        },
        Qt::QueuedConnection);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<FormWindow> window_;
  AccessibleElement element_;
};

// The form: a frame named by its caption whose children are the elements
// in reading order; a point finds what the mouse would reach there. Qt asks
// for it at any moment of the window's life, from its constructor on (6.8
// does when the title is set): the children are what exists when asked.
class FormAccessible : public QAccessibleWidget {
 public:
  explicit FormAccessible(FormWindow* window) : QAccessibleWidget(window, QAccessible::Window) {}
  // Runs while the window is being destroyed: touches nothing of it.
  ~FormAccessible() override {
    for (const auto& link : links_) QAccessible::deleteAccessibleInterface(link.second);
  }

  int childCount() const override { return static_cast<int>(Children().size()); }
  QAccessibleInterface* child(int index) const override {
    const std::vector<Child> children = Children();
    if (index < 0 || index >= static_cast<int>(children.size())) return nullptr;
    return children[static_cast<std::size_t>(index)].object;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const std::vector<Child> children = Children();
    for (std::size_t k = 0; k < children.size(); ++k) {
      if (children[k].object == child) return static_cast<int>(k);
    }
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint local = Window()->mapFromGlobal(QPoint(x, y));
    if (!Window()->rect().contains(local)) return nullptr;
    const std::optional<std::size_t> hit = Window()->ElementAt(local);
    for (const Child& c : Children()) {
      if (hit && c.control == *hit) return c.object;
    }
    return nullptr;
  }

 private:
  struct Child {
    std::size_t control;
    QAccessibleInterface* object;
  };

  FormWindow* Window() const { return static_cast<FormWindow*>(widget()); }

  // The elements that are there now: a control with a widget once the
  // widget is made, a painted link always (made here on first use).
  std::vector<Child> Children() const {
    std::vector<Child> children;
    for (const AccessibleElement& e : AccessibleElements(Window()->TheForm(), Window()->Events())) {
      if (QWidget* own = Window()->WidgetOf(e.control)) {
        children.push_back({e.control, QAccessible::queryAccessibleInterface(own)});
      } else if (e.painted() && e.role != AccessibleRole::StaticText) {
        children.push_back({e.control, PaintedLinkFor(e)});
      }
    }
    return children;
  }

  QAccessibleInterface* PaintedLinkFor(const AccessibleElement& element) const {
    auto found = links_.find(element.control);
    if (found == links_.end()) {
      const QAccessible::Id id = QAccessible::registerAccessibleInterface(new PaintedLink(Window(), element));
      found = links_.emplace(element.control, id).first;
    }
    return QAccessible::accessibleInterface(found->second);
  }

  mutable std::map<std::size_t, QAccessible::Id> links_;  // the painted links, by control
};

QAccessibleInterface* Factory(const QString& /*className*/, QObject* object) {
  if (auto* window = dynamic_cast<FormWindow*>(object)) return new FormAccessible(window);
  return nullptr;
}

}  // namespace

void ForgetFormAccessible(FormWindow* window) {
  if (QAccessibleInterface* form = QAccessible::queryAccessibleInterface(window))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(form));
}

void InstallFormAccessibility() {
  // Qt keeps a factory once (and forgets them all with the application).
  QAccessible::installFactory(&Factory);
}

}  // namespace mivello::qt
