#pragma once
// The window of a form on Qt: text boxes and buttons as native widgets,
// labels and pictures drawn on the form itself in the stored order. What the
// user's mouse and keys do is the runtime's Interaction; this class only
// translates Qt's events into it.
#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "runtime/form.h"
#include "runtime/qt/x11_pointer.h"
#include "runtime/startup/events.h"
#include "runtime/window_model/interaction.h"

namespace mivello::qt {

class FormWindow : public QWidget {
 public:
  // `pointer` gives the exact device pixel of X11 pointer events; null elsewhere.
  FormWindow(Form& form, EventDispatcher& events, const X11Pointer* pointer = nullptr);
  ~FormWindow() override;

  // The control that has the focus at start-up.
  QWidget* FirstInTabOrder() const;

  // For assistive tools.
  const Form& TheForm() const { return form_; }
  const FormModel& Model() const { return form_.Model(); }
  const EventDispatcher& Events() const { return events_; }
  // The widget of a control: the native text boxes and buttons, and a label
  // that paints nothing for each plain caption; null for what only the
  // runtime paints (links and pictures), and for a widget not made yet.
  QWidget* WidgetOf(std::size_t control) const {
    return control < widgets_.size() ? widgets_[control] : nullptr;
  }
  // The element at a point of the window, in Qt's device-independent pixels.
  std::optional<std::size_t> ElementAt(const QPoint& point) const;
  // An assistive tool's action, given to the runtime as such.
  void Click(std::size_t control) { user_.Click(control, ClickSource::AssistiveTool); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  class EditText;
  void CreateNativeControls();
  Density ScreenDensity() const;
  // The device pixel of a mouse event: the platform's own where Qt rounds it.
  QPoint DevicePoint(const QMouseEvent& event) const;
  // The label or picture under a mouse event.
  std::optional<std::size_t> PaintedUnder(const QMouseEvent& event) const;
  std::optional<std::size_t> IndexOf(const QWidget* widget) const;
  void FocusControl(std::optional<std::size_t> control);

  Form& form_;
  EventDispatcher& events_;
  Interaction user_;
  const X11Pointer* pointer_;
  std::vector<QImage> pictures_;  // by control index
  std::vector<std::unique_ptr<EditText>> texts_;
  std::vector<QWidget*> widgets_;  // by control index
};

}  // namespace mivello::qt
