#pragma once
// The pointer's device pixel on X11. Qt's X11 platform hands widgets whole
// logical pixels (at a scale factor of 2, device columns 767 and 768 both
// become 384), so the form takes the device pixel from the X input event
// itself, which carries it exactly. Elsewhere (Wayland keeps fractions of
// a logical pixel) this knows nothing and the form uses Qt's position.
#include <QAbstractNativeEventFilter>
#include <QPoint>
#include <cstdint>
#include <optional>

namespace mivello::qt {

class X11Pointer : public QAbstractNativeEventFilter {
 public:
  // Watches the application's X events where Qt runs on X11.
  X11Pointer();
  ~X11Pointer() override;
  X11Pointer(const X11Pointer&) = delete;
  X11Pointer& operator=(const X11Pointer&) = delete;

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  // The device pixel, in `window`'s own coordinates, of the press, release
  // or motion stamped `timestamp` that Qt is delivering; nothing when it is
  // not an X event of that window.
  std::optional<QPoint> PixelOf(std::uint64_t window, std::uint64_t timestamp) const;
  // Where the pointer last moved in `window`, for what has no time stamp (a tooltip).
  std::optional<QPoint> LastMotionIn(std::uint64_t window) const;

 private:
  struct Sample {
    std::uint32_t window = 0;
    std::uint32_t time = 0;
    QPoint pixel;
  };
  std::optional<Sample> button_;  // the last press or release
  std::optional<Sample> motion_;  // the last motion
  int inputExtension_ = -1;       // XInput's major opcode, where it is there
  bool installed_ = false;
};

}  // namespace mivello::qt
