#include "runtime/qt/form_accessible.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QWindow>

#include "runtime/accessibility.h"
#include "runtime/geometry.h"
#include "runtime/layout.h"
#include "runtime/qt/form_window.h"
#include "runtime/qt/qt_text.h"

namespace mivello::qt {
namespace {

QRect PixelsOf(const TwipsRect& twips) {
  const PixelRect r = ToPixels(twips);
  return {r.left, r.top, r.width, r.height};
}

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
// in reading order; a point finds what the mouse would reach there.
class FormAccessible : public QAccessibleWidget {
 public:
  explicit FormAccessible(FormWindow* window) : QAccessibleWidget(window, QAccessible::Window) {
    for (const AccessibleElement& e : AccessibleElements(window->TheForm(), window->Events())) {
      QObject* native = window->WidgetOf(e.control);
      if (native != nullptr) {
        children_.push_back(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(native)));
      } else {
        children_.push_back(QAccessible::registerAccessibleInterface(new PaintedLink(window, e)));
        owned_.push_back(children_.back());
      }
      controls_.push_back(e.control);
    }
  }
  // Runs while the window is being destroyed: touches nothing of it.
  ~FormAccessible() override {
    for (QAccessible::Id id : owned_) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return static_cast<int>(children_.size()); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    return QAccessible::accessibleInterface(children_[static_cast<std::size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (std::size_t k = 0; k < children_.size(); ++k) {
      if (QAccessible::accessibleInterface(children_[k]) == child) return static_cast<int>(k);
    }
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint local = Window()->mapFromGlobal(QPoint(x, y));
    if (!Window()->rect().contains(local)) return nullptr;
    const std::optional<std::size_t> hit = Window()->ElementAt(local);
    for (std::size_t k = 0; hit && k < controls_.size(); ++k) {
      if (controls_[k] == *hit) return child(static_cast<int>(k));
    }
    return nullptr;
  }

 private:
  FormWindow* Window() const { return static_cast<FormWindow*>(widget()); }

  std::vector<QAccessible::Id> children_;  // in reading order
  std::vector<std::size_t> controls_;      // their control indexes
  std::vector<QAccessible::Id> owned_;     // the painted links, made here
};

QAccessibleInterface* Factory(const QString& /*className*/, QObject* object) {
  if (auto* window = dynamic_cast<FormWindow*>(object)) return new FormAccessible(window);
  return nullptr;
}

}  // namespace

void InstallFormAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  static_cast<void>(installed);
}

}  // namespace mivello::qt
