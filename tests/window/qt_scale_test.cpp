// Form1 on Qt at a desktop scale factor (QT_SCALE_FACTOR, set by the test
// run): the first and last device column that the window paints for each
// badge and for the shop line, and the column just outside each, reach the
// element painted there or nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "runtime/window_model/geometry.h"
#include "tests/window/qt_form1.h"

namespace mivello {
namespace {

constexpr QRgb kMagenta = 0xFFFF00FF;  // what the runtime never paints

class QtForm1AtScale : public testing_support::QtForm1 {
 protected:
  // The window's own painting, in device pixels, without the form's
  // background: what is not magenta, an element painted.
  QImage Painted() const {
    const qreal ratio = window_->devicePixelRatioF();
    QImage image(QSize(static_cast<int>(std::ceil(window_->width() * ratio)),
                       static_cast<int>(std::ceil(window_->height() * ratio))),
                 QImage::Format_ARGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kMagenta);
    window_->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
  }

  // A press and release of the left button with the pointer on device pixel (x, y).
  void ClickAtDevicePixel(int x, int y) {
    const qreal ratio = window_->devicePixelRatioF();
    const QPointF local(x / ratio, y / ratio);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, local, window_->mapToGlobal(local), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(window_, &event);
    }
  }

  // What one click at a device pixel started: the launch's first characters, or "".
  std::u16string LaunchAt(int x, int y) {
    launches_.clear();
    ClickAtDevicePixel(x, y);
    return launches_.empty() ? std::u16string() : launches_.front().substr(0, 10);
  }

  // The first and last column of `row` with colour `colour`, if any.
  static std::optional<std::pair<int, int>> ColumnsOf(const QImage& image, int row, QRgb colour) {
    std::optional<std::pair<int, int>> found;
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, row) != colour) continue;
      if (!found) found = {x, x};
      found->second = x;
    }
    return found;
  }
};

TEST_F(QtForm1AtScale, RunsAtTheScaleAsked) {
  const char* asked = std::getenv("QT_SCALE_FACTOR");
  ASSERT_NE(asked, nullptr) << "run with QT_SCALE_FACTOR";
  EXPECT_DOUBLE_EQ(window_->devicePixelRatioF(), std::atof(asked));
}

struct Badge {
  const char* name;
  int middleRow;  // in the picture
  QRgb side;      // the colour of its first and last column there
  const char16_t* launch;
};

TEST_F(QtForm1AtScale, TheBadgesEdgesReachTheBadgesAndNoMore) {
  const QImage painted = Painted();
  const Density density = Density::Scaled(window_->devicePixelRatioF());
  for (const Badge& badge :
       {Badge{"Image1", 9, 0xFFFC9F4C, u"http://amo"}, Badge{"Image2", 11, 0xFF3366CC, u"tencent://"}}) {
    const ControlModel& c = session_.TheForm().Find(badge.name)->Model();
    // The device row through the picture's middle row.
    const int y = DeviceRect({c.rect.left, c.rect.top + badge.middleRow * 15, c.rect.width, 15}, density).top;
    const auto columns = ColumnsOf(painted, y, badge.side);
    ASSERT_TRUE(columns) << badge.name << " not painted in row " << y;
    const auto [first, last] = *columns;
    EXPECT_EQ(LaunchAt(first, y), badge.launch) << badge.name << " first column " << first;
    EXPECT_EQ(LaunchAt(last, y), badge.launch) << badge.name << " last column " << last;
    EXPECT_EQ(LaunchAt(first - 1, y), u"") << badge.name << " left of it, " << first - 1;
    EXPECT_EQ(LaunchAt(last + 1, y), u"") << badge.name << " right of it, " << last + 1;
  }
}

TEST_F(QtForm1AtScale, TheShopLinesEdgesReachItAndNoMore) {
  const QImage painted = Painted();
  const Density density = Density::Scaled(window_->devicePixelRatioF());
  const PixelRect shop = DeviceRect(session_.TheForm().Find("Label1")->Model().rect, density);
  const int y = shop.top + shop.height / 2;
  int first = 0;
  while (first < painted.width() && painted.pixel(first, y) == kMagenta) ++first;
  EXPECT_EQ(LaunchAt(first, y), u"http://vel") << "first painted column " << first;
  EXPECT_EQ(LaunchAt(first - 1, y), u"") << "left of it";
  // Label6 lies above the shop line's last columns: the shop line ends where it begins.
  const int label6 = DeviceRect(session_.TheForm().Find("Label6")->Model().rect, density).left;
  ASSERT_NE(painted.pixel(label6, y), kMagenta);
  EXPECT_EQ(LaunchAt(label6 - 1, y), u"http://vel") << "last column before Label6, " << label6 - 1;
  EXPECT_EQ(LaunchAt(label6, y), u"") << "Label6's first column, " << label6;
}

}  // namespace
}  // namespace mivello
