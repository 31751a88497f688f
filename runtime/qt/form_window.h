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

class QLineEdit;

namespace mivello::qt {

class FormWindow : public QWidget {
 public:
  FormWindow(Form& form, EventDispatcher& events);
  ~FormWindow() override;

  // The control that has the focus at start-up.
  QWidget* FirstInTabOrder() const { return firstInTabOrder_; }

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
  QWidget* firstInTabOrder_ = nullptr;
  std::optional<std::size_t> pressed_;
};

}  // namespace mivello::qt
