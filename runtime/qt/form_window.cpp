#include "runtime/qt/form_window.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <cmath>
#include <limits>

#include "runtime/qt/form_accessible.h"
#include "runtime/qt/pictures.h"
#include "runtime/qt/qt_text.h"
#include "runtime/window_model/geometry.h"
#include "runtime/window_model/layout.h"
#include "runtime/window_model/paint_order.h"

namespace mivello::qt {
namespace {

// A device pixel, as Qt's device-independent coordinates name it.
int DevicePixel(qreal logical, qreal ratio) {
  return static_cast<int>(std::floor(logical * ratio + 1.0 / 1024));
}

MouseButton ButtonOf(const QMouseEvent& event) {
  return event.button() == Qt::LeftButton ? MouseButton::Left : MouseButton::Other;
}

Key KeyOf(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Tab:
      return event.modifiers() & Qt::ShiftModifier ? Key::BackTab : Key::Tab;
    case Qt::Key_Backtab:
      return Key::BackTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Key::Enter;
    case Qt::Key_Space:
      return Key::Space;
    case Qt::Key_Escape:
      return Key::Escape;
    case Qt::Key_Left:
      return Key::Left;
    case Qt::Key_Right:
      return Key::Right;
    case Qt::Key_Up:
      return Key::Up;
    case Qt::Key_Down:
      return Key::Down;
    default:
      return Key::Other;
  }
}

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

FormWindow::FormWindow(Form& form, EventDispatcher& events, const X11Pointer* pointer)
    : form_(form),
      events_(events),
      user_(form.Model(), events,
            [this](std::size_t control, bool down) {
              if (auto* button = qobject_cast<QPushButton*>(WidgetOf(control))) button->setDown(down);
            }),
      pointer_(pointer) {
  const FormModel& model = form.Model();
  // The form's own font, so that a platform theme's font for the whole
  // application (qt6ct, KDE) leaves the window as it was designed; set
  // before the children are made, so that none of them is laid out twice.
  setFont(QApplication::font());
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
FormWindow::~FormWindow() { ForgetFormAccessible(this); }

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
      auto* button = new QPushButton(ToQString(c.caption), this);
      button->setAutoDefault(false);
      button->setFocusPolicy(Qt::StrongFocus);
      // The mouse clicks it natively, and the runtime decides; the keys are the runtime's.
      connect(button, &QPushButton::clicked, this, [this, i] { user_.Click(i, ClickSource::NativeControl); });
      widgets[i] = button;
    } else {
      continue;
    }
    widgets[i]->installEventFilter(this);
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
  // Qt's own chain too, for what walks it (assistive tools); Tab itself is the runtime's.
  const std::vector<std::size_t> order = TabOrder(model);
  for (std::size_t k = 1; k < order.size(); ++k) setTabOrder(widgets[order[k - 1]], widgets[order[k]]);
}

QWidget* FormWindow::FirstInTabOrder() const {
  const std::optional<std::size_t> first = user_.FirstFocus();
  return first ? widgets_[*first] : nullptr;
}

Density FormWindow::ScreenDensity() const { return Density::Scaled(devicePixelRatioF()); }

std::optional<std::size_t> FormWindow::ElementAt(const QPoint& point) const {
  const qreal ratio = devicePixelRatioF();
  return user_.ElementAt(DevicePixel(point.x(), ratio), DevicePixel(point.y(), ratio), ScreenDensity());
}

QPoint FormWindow::DevicePoint(const QMouseEvent& event) const {
  if (pointer_ != nullptr) {
    if (const std::optional<QPoint> exact = pointer_->PixelOf(winId(), event.timestamp())) return *exact;
  }
  const qreal ratio = devicePixelRatioF();
  return {DevicePixel(event.position().x(), ratio), DevicePixel(event.position().y(), ratio)};
}

std::optional<std::size_t> FormWindow::PaintedUnder(const QMouseEvent& event) const {
  const QPoint device = DevicePoint(event);
  return user_.PaintedAt(device.x(), device.y(), ScreenDensity());
}

std::optional<std::size_t> FormWindow::IndexOf(const QWidget* widget) const {
  for (std::size_t i = 0; widget != nullptr && i < widgets_.size(); ++i) {
    if (widgets_[i] == widget) return i;
  }
  return std::nullopt;
}

void FormWindow::FocusControl(std::optional<std::size_t> control) {
  if (control && widgets_[*control] != nullptr) widgets_[*control]->setFocus(Qt::OtherFocusReason);
}

void FormWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const FormModel& model = form_.Model();
  const QColor background = palette().color(QPalette::Window);
  const Density density = ScreenDensity();
  const qreal ratio = devicePixelRatioF();
  for (std::size_t i : PaintOrder(model)) {
    const ControlModel& c = model.controls[i];
    // Exactly the device pixels that the hit test gives the element.
    const PixelRect device = DeviceRect(c.rect, density);
    const QRectF rect(device.left / ratio, device.top / ratio, device.width / ratio, device.height / ratio);
    if (c.kind == ControlClass::Picture) {
      painter.drawImage(rect, pictures_[i]);
    } else if (c.kind == ControlClass::Label) {
      painter.fillRect(rect, background);
      const QColor text = c.foreColour ? QColor(c.foreColour->red, c.foreColour->green, c.foreColour->blue)
                                       : palette().color(QPalette::WindowText);
      painter.setPen(text);
      painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, ToQString(c.caption));
    }
  }
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
  user_.MouseDown(PaintedUnder(*event), ButtonOf(*event), false);
}

void FormWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  user_.MouseDown(PaintedUnder(*event), ButtonOf(*event), true);
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
  user_.MouseUp(PaintedUnder(*event), ButtonOf(*event));
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  const std::optional<std::size_t> control = IndexOf(qobject_cast<QWidget*>(watched));
  if (event->type() == QEvent::FocusIn) user_.FocusMoved(control);
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  const auto* keyEvent = static_cast<QKeyEvent*>(event);
  const Key key = KeyOf(*keyEvent);
  if (!control || key == Key::Other) return false;
  const bool repeat = keyEvent->isAutoRepeat();
  const KeyAnswer answer = event->type() == QEvent::KeyPress ? user_.KeyDown(control, key, repeat)
                                                             : user_.KeyUp(control, key, repeat);
  if (answer.focus && widgets_[*answer.focus] != nullptr)
    widgets_[*answer.focus]->setFocus(key == Key::BackTab ? Qt::BacktabFocusReason : Qt::TabFocusReason);
  return answer.handled;
}

bool FormWindow::focusNextPrevChild(bool next) {
  FocusControl(user_.NextFocus(IndexOf(focusWidget()), next));
  return true;
}

bool FormWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowDeactivate) user_.Deactivated(IndexOf(focusWidget()));
  // Qt keeps the window's focus widget across activations, and a click that
  // activated the window has set it already: the runtime's answer is for a
  // window without one.
  if (event->type() == QEvent::WindowActivate && focusWidget() == nullptr)
    FocusControl(user_.FocusOnActivation());
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const qreal ratio = devicePixelRatioF();
    QPoint device(DevicePixel(help->pos().x(), ratio), DevicePixel(help->pos().y(), ratio));
    if (pointer_ != nullptr) device = pointer_->LastMotionIn(winId()).value_or(device);
    const StringView tip = user_.ToolTipAt(device.x(), device.y(), ScreenDensity());
    if (const auto hit = ElementAt(help->pos()); hit && !tip.empty()) {
      QToolTip::showText(help->globalPos(), ToQString(tip), this,
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
