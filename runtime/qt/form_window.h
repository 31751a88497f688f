#pragma once
// The window of a form on Qt: text boxes and buttons as native widgets,
// labels and pictures drawn on the form itself in the stored order.
#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "runtime/events.h"
#include "runtime/form.h"
#include "runtime/windowless.h"

class QLineEdit;

namespace mivello::qt {

class FormWindow : public QWidget {
 public:
  FormWindow(Form& form, EventDispatcher& events);
  ~FormWindow() override;

  // The control that has the focus at start-up.
  QWidget* FirstInTabOrder() const { return firstInTabOrder_; }

  // For assistive tools.
  const Form& TheForm() const { return form_; }
  const FormModel& Model() const { return form_.Model(); }
  const EventDispatcher& Events() const { return events_; }
  // The widget of a control: the native text boxes and buttons, and a label
  // that paints nothing for each plain caption; null for what only the
  // runtime paints (links and pictures).
  QWidget* WidgetOf(std::size_t control) const { return widgets_[control]; }
  // A Click that does not come from the mouse: an assistive tool's action.
  void Click(std::size_t control) { events_.Deliver(control, Event::Click); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  class EditText;
  void CreateNativeControls();
  std::optional<std::size_t> HitTest(const QPoint& point) const;

  Form& form_;
  EventDispatcher& events_;
  std::vector<QImage> pictures_;  // by control index
  std::vector<std::unique_ptr<EditText>> texts_;
  std::vector<QWidget*> widgets_;  // by control index
  QWidget* firstInTabOrder_ = nullptr;
  ClickTracker mouse_;
};

}  // namespace mivello::qt
