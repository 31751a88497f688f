#include "runtime/qt/form_window.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <limits>

#include "runtime/geometry.h"
#include "runtime/layout.h"
#include "runtime/windowless.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/qt_text.h"

namespace mivello::qt {
namespace {

QRect PixelsOf(const TwipsRect& twips) {
  const PixelRect r = ToPixels(twips);
  return {r.left, r.top, r.width, r.height};
}

// A push button that, as on Windows, also clicks on Enter while focused.
class PushButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      click();
      return;
    }
    QPushButton::keyPressEvent(event);
  }
};

// A plain caption for assistive tools: named by its caption, the label of
// its text box, where the runtime paints it. It paints nothing itself and
// lets the mouse through to the form.
class SilentLabel : public QLabel {
 public:
  SilentLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {}
};

}  // namespace

// A text box's Text property, kept by its QLineEdit.
class FormWindow::EditText : public TextPeer {
 public:
  explicit EditText(QLineEdit* edit) : edit_(edit) {}
  HResult GetText(String& out) override {
    out = FromQString(edit_->text());
    return kOk;
  }
  HResult SetText(StringView text) override {
    edit_->setText(ToQString(text));
    return kOk;
  }

 private:
  QLineEdit* edit_;
};

FormWindow::FormWindow(Form& form, EventDispatcher& events) : form_(form), events_(events) {
  const FormModel& model = form.Model();
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(ToQString(model.caption));
  setWindowIcon(IconFromFile(model.icon));
  const PixelRect client = ToPixels(model.clientRect);
  setFixedSize(client.width, client.height);
  setMouseTracking(false);

  pictures_.resize(model.controls.size());
  for (std::size_t i = 0; i < model.controls.size(); ++i) {
    if (model.controls[i].kind == ControlClass::Picture) pictures_[i] = FirstFrame(model.controls[i].picture);
  }
  CreateNativeControls();
}

// The form outlives no window event: it may already be gone here, so it is
// not touched.
FormWindow::~FormWindow() = default;

void FormWindow::CreateNativeControls() {
  const FormModel& model = form_.Model();
  std::vector<QWidget*>& widgets = widgets_;
  widgets.assign(model.controls.size(), nullptr);
  // The plain captions first, so that the native controls lie above them.
  for (std::size_t i = 0; i < model.controls.size(); ++i) {
    const ControlModel& c = model.controls[i];
    if (c.kind != ControlClass::Label || events_.Handles(i, Event::Click)) continue;
    widgets[i] = new SilentLabel(ToQString(c.caption), this);
    widgets[i]->setGeometry(PixelsOf(c.rect));
    widgets[i]->setObjectName(QString::fromStdString(c.name));
  }
  // Created from the bottom of the stored order up, so that later siblings lie above.
  for (std::size_t i = model.controls.size(); i-- > 0;) {
    const ControlModel& c = model.controls[i];
    if (c.kind == ControlClass::TextBox) {
      auto* edit = new QLineEdit(this);
      edit->setMaxLength(std::numeric_limits<int>::max());  // Qt's default stops at 32767
      texts_.push_back(std::make_unique<EditText>(edit));
      form_.Controls()[i].AttachText(texts_.back().get());
      widgets[i] = edit;
    } else if (c.kind == ControlClass::CommandButton) {
      auto* button = new PushButton(ToQString(c.caption), this);
      button->setAutoDefault(false);
      button->setFocusPolicy(Qt::StrongFocus);
      connect(button, &QPushButton::clicked, this, [this, i] { events_.Deliver(i, Event::Click); });
      widgets[i] = button;
    } else {
      continue;
    }
    widgets[i]->setGeometry(PixelsOf(c.rect));
    widgets[i]->setAccessibleName(ToQString(AccessibleName(model, i)));
    widgets[i]->setObjectName(QString::fromStdString(c.name));
    if (!c.toolTip.empty()) widgets[i]->setToolTip(ToQString(c.toolTip));
  }
  for (std::size_t i = 0; i < model.controls.size(); ++i) {
    if (model.controls[i].kind != ControlClass::TextBox) continue;
    if (const auto caption = CaptionOf(model, i); caption && widgets[*caption] != nullptr) {
      static_cast<QLabel*>(widgets[*caption])->setBuddy(widgets[i]);
    }
  }
  const std::vector<std::size_t> order = TabOrder(model);
  for (std::size_t k = 1; k < order.size(); ++k) setTabOrder(widgets[order[k - 1]], widgets[order[k]]);
  if (!order.empty()) firstInTabOrder_ = widgets[order.front()];
}

void FormWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const FormModel& model = form_.Model();
  const QColor background = palette().color(QPalette::Window);
  for (std::size_t i : PaintOrder(model)) {
    const ControlModel& c = model.controls[i];
    const QRect rect = PixelsOf(c.rect);
    if (c.kind == ControlClass::Picture) {
      painter.drawImage(rect.topLeft(), pictures_[i]);
    } else if (c.kind == ControlClass::Label) {
      painter.fillRect(rect, background);
      const QColor text = c.foreColour ? QColor(c.foreColour->red, c.foreColour->green, c.foreColour->blue)
                                       : palette().color(QPalette::WindowText);
      painter.setPen(text);
      painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, ToQString(c.caption));
    }
  }
}

std::optional<std::size_t> FormWindow::HitTest(const QPoint& point) const {
  // Qt's pixels are device-independent: 96 to the inch at any scale.
  return WindowlessHitTest(form_.Model(), TwipsAt(point.x(), point.y(), kDefaultDpi));
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
  mouse_.Press(event->button() == Qt::LeftButton ? HitTest(event->position().toPoint()) : std::nullopt);
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
  const auto clicked = mouse_.Release(HitTest(event->position().toPoint()));
  if (event->button() == Qt::LeftButton && clicked) events_.Deliver(*clicked, Event::Click);
}

bool FormWindow::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const auto hit = HitTest(help->pos());
    if (hit && !form_.Model().controls[*hit].toolTip.empty()) {
      QToolTip::showText(help->globalPos(), ToQString(form_.Model().controls[*hit].toolTip), this,
                         PixelsOf(form_.Model().controls[*hit].rect));
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QWidget::event(event);
}

}  // namespace mivello::qt
