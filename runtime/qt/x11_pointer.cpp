#include "runtime/qt/x11_pointer.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <QAbstractEventDispatcher>
#include <QGuiApplication>

namespace mivello::qt {
namespace {

// XInput 2's fixed-point coordinate to the device pixel it lies in.
int FixedToPixel(xcb_input_fp1616_t value) { return value >> 16; }

}  // namespace

X11Pointer::X11Pointer() {
  auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) return;
  const xcb_query_extension_reply_t* input = xcb_get_extension_data(x11->connection(), &xcb_input_id);
  if (input != nullptr && input->present) inputExtension_ = input->major_opcode;
  qGuiApp->installNativeEventFilter(this);
  installed_ = true;
}

X11Pointer::~X11Pointer() {
  if (installed_ && qGuiApp != nullptr) qGuiApp->removeNativeEventFilter(this);
}

// Called before Qt handles each X event, in xcb's own layout.
bool X11Pointer::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  switch (event->response_type & 0x7f) {
    case XCB_BUTTON_PRESS:
    case XCB_BUTTON_RELEASE: {
      const auto* e = static_cast<const xcb_button_press_event_t*>(message);
      button_ = Sample{e->event, e->time, QPoint(e->event_x, e->event_y)};
      break;
    }
    case XCB_MOTION_NOTIFY: {
      const auto* e = static_cast<const xcb_motion_notify_event_t*>(message);
      motion_ = Sample{e->event, e->time, QPoint(e->event_x, e->event_y)};
      break;
    }
    case XCB_GE_GENERIC: {
      const auto* ge = static_cast<const xcb_ge_generic_event_t*>(message);
      if (ge->extension != inputExtension_) break;
      // Presses, releases and motions share one layout.
      const auto* e = static_cast<const xcb_input_button_press_event_t*>(message);
      const Sample sample{e->event, e->time, QPoint(FixedToPixel(e->event_x), FixedToPixel(e->event_y))};
      if (ge->event_type == XCB_INPUT_BUTTON_PRESS || ge->event_type == XCB_INPUT_BUTTON_RELEASE)
        button_ = sample;
      if (ge->event_type == XCB_INPUT_MOTION) motion_ = sample;
      break;
    }
    default:
      break;
  }
  return false;
}

std::optional<QPoint> X11Pointer::PixelOf(std::uint64_t window, std::uint64_t timestamp) const {
  for (const std::optional<Sample>& s : {button_, motion_}) {
    if (s && s->window == window && s->time == static_cast<std::uint32_t>(timestamp)) return s->pixel;
  }
  return std::nullopt;
}

std::optional<QPoint> X11Pointer::LastMotionIn(std::uint64_t window) const {
  if (motion_ && motion_->window == window) return motion_->pixel;
  return std::nullopt;
}

}  // namespace mivello::qt
