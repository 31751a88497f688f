// Which element a device pixel reaches, decided in the runtime for every
// window system: rows at each density and scale factor, every pixel of the
// window as designed at the densities of common screens, the twips and
// pixels behind them, and the tooltip at a point.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "runtime/window_model/geometry.h"
#include "runtime/window_model/interaction.h"
#include "tests/support/form1_interaction.h"

namespace mivello {
namespace {

using testing_support::clicks;
using testing_support::Form1Interaction;
using testing_support::RowName;

struct Point {
  const char* proves;
  Density density;
  int x;
  int y;
  const char* reaches;  // "" for the bare form
};

void PrintTo(const Point& p, std::ostream* os) { *os << p.proves; }

class HitTest : public testing::TestWithParam<Point> {};

TEST_P(HitTest, ReachesTheElementPaintedThere) {
  const Point& p = GetParam();
  Form1Interaction app;
  EXPECT_EQ(app.Name(app.user->ElementAt(p.x, p.y, p.density)), p.reaches) << p.proves;
}

const Density k96 = Density::AtDpi(96), k120 = Density::AtDpi(120), k192 = Density::AtDpi(192);
const Density kScale125 = Density::Scaled(1.25), kScale15 = Density::Scaled(1.5),
              kScale2 = Density::Scaled(2);

INSTANTIATE_TEST_SUITE_P(
    Densities, HitTest,
    testing::Values(Point{"96 dpi: the QQ badge's first column", k96, 384, 100, "Image2"},
                    Point{"96 dpi: left of it, Label7 under it", k96, 383, 110, "Label7"},
                    Point{"96 dpi: the QQ badge's last column", k96, 457, 100, "Image2"},
                    Point{"96 dpi: beyond it, the bare form", k96, 458, 100, ""},
                    Point{"96 dpi: Label1's last column is Label6's", k96, 240, 110, "Label6"},
                    Point{"96 dpi: a text box lies above its caption", k96, 57, 33, "Text1"},
                    Point{"120 dpi: Image1 from 340", k120, 340, 125, "Image1"},
                    Point{"120 dpi: Image2 up to 572.5, MulDiv's halves up", k120, 572, 125, "Image2"},
                    Point{"192 dpi: Image2's last device column", k192, 915, 200, "Image2"},
                    Point{"192 dpi: just beyond it", k192, 916, 200, ""},
                    Point{"scale 2: the pixel left of the QQ badge is Label7's", kScale2, 767, 210, "Label7"},
                    Point{"scale 2: the QQ badge's first device column", kScale2, 768, 210, "Image2"},
                    Point{"scale 2: the QQ badge's blue right border", kScale2, 915, 200, "Image2"},
                    Point{"scale 2: beyond the QQ badge", kScale2, 916, 200, ""},
                    Point{"scale 1.25: Image1's last column, 436.25 rounded down", kScale125, 435, 125,
                          "Image1"},
                    Point{"scale 1.25: the column after it", kScale125, 436, 125, ""},
                    Point{"scale 1.25: Image2 ends at 572.5, rounded up", kScale125, 572, 125, "Image2"},
                    Point{"scale 1.25: after Image2", kScale125, 573, 125, ""},
                    Point{"scale 1.25: Label1's first column", kScale125, 30, 135, "Label1"},
                    Point{"scale 1.25: left of Label1", kScale125, 29, 135, ""},
                    Point{"scale 1.25: Label6 covers Label1's last columns", kScale125, 300, 135, "Label6"},
                    Point{"scale 1.25: Label1 up to Label6", kScale125, 299, 135, "Label1"},
                    Point{"scale 1.5: Image1 ends at 523.5, rounded up", kScale15, 523, 150, "Image1"},
                    Point{"scale 1.5: after Image1, Label7 begins at 540", kScale15, 524, 150, ""},
                    Point{"scale 1.5: Image2's first column", kScale15, 576, 150, "Image2"}),
    [](const testing::TestParamInfo<Point>& row) { return RowName(row.param.proves); });

TEST(Density, ScaleFactorsAreExactFractions) {
  EXPECT_EQ(Density::Scaled(1.25), (Density{96, 5, 4}));
  EXPECT_EQ(Density::Scaled(1.5), (Density{96, 3, 2}));
  EXPECT_EQ(Density::Scaled(2.0), (Density{96, 2, 1}));
  EXPECT_EQ(Density::Scaled(1.0), Density{});
  EXPECT_EQ(Density::Scaled(0.0), Density{});  // nonsense falls back to plain pixels
  EXPECT_EQ(Density::Scaled(-1.0), Density{});
}

TEST(Density, TwipsLaidOutAtTheDpiThenScaled) {
  EXPECT_EQ(DeviceRect({5760, 1440, 1110, 345}, k96), (PixelRect{384, 96, 74, 23}));
  EXPECT_EQ(DeviceRect({5760, 1440, 1110, 345}, kScale2), (PixelRect{768, 192, 148, 46}));
  EXPECT_EQ(DeviceRect({4080, 1440, 1155, 285}, kScale125), (PixelRect{340, 120, 96, 24}));
  // 7 twips are half a pixel and less at 96 dpi: nothing is left to scale.
  EXPECT_EQ(DeviceRect({0, 0, 7, 7}, kScale2).width, 0);
  EXPECT_EQ(DeviceRect({0, 0, 7, 7}, Density::AtDpi(192)).width, 1);
}

TEST(Geometry, PixelEdgesRoundAsWindowsDoes) {
  // MulDiv(t, dpi, 1440): to the nearest, halves up.
  EXPECT_EQ(PixelEdge(360, 96), 24);
  EXPECT_EQ(PixelEdge(7, 96), 0);
  EXPECT_EQ(PixelEdge(8, 96), 1);
  EXPECT_EQ(PixelEdge(6, 120), 1);  // 0.5
  EXPECT_EQ(PixelEdge(3615, 192), 482);
  EXPECT_EQ(ToPixels({360, 1560, 3255, 255}, 96), (PixelRect{24, 104, 217, 17}));
}

// The window as designed, written out here rather than taken from the
// runtime's own layout functions: each control's twips, from the top of the
// drawing order down (native controls lie above all that is painted).
struct Designed {
  const char* name;
  int left, top, width, height;
};
constexpr Designed kFromTheTop[] = {
    {"Command2", 6000, 360, 855, 375}, {"Text3", 3720, 360, 975, 375},    {"Text2", 2280, 360, 855, 375},
    {"Text1", 840, 360, 855, 375},     {"Command1", 4800, 360, 975, 375}, {"Label5", 600, 1080, 5895, 255},
    {"Image2", 5760, 1440, 1110, 345}, {"Label7", 5400, 1560, 735, 255},  {"Image1", 4080, 1440, 1155, 285},
    {"Label4", 3240, 480, 735, 255},   {"Label3", 1800, 480, 615, 255},   {"Label2", 360, 480, 615, 255},
    {"Label6", 3600, 1560, 615, 255},  {"Label1", 360, 1560, 3255, 255},
};

// A twip edge in pixels at `dpi`, as Windows' MulDiv rounds: halves up.
int Edge(int twips, int dpi) { return (twips * dpi * 2 + 1440) / (1440 * 2); }

// What each client pixel shows, by name; "" for the bare form. The first
// element from the top that covers a pixel is the one seen there.
std::vector<std::string> PaintMap(int dpi, int width, int height) {
  std::vector<std::string> map(static_cast<std::size_t>(width * height));
  for (auto it = std::rbegin(kFromTheTop); it != std::rend(kFromTheTop); ++it) {
    for (int y = Edge(it->top, dpi); y < std::min(Edge(it->top + it->height, dpi), height); ++y) {
      for (int x = Edge(it->left, dpi); x < std::min(Edge(it->left + it->width, dpi), width); ++x)
        map[static_cast<std::size_t>(y * width + x)] = it->name;
    }
  }
  return map;
}

class AtDpi : public testing::TestWithParam<int> {};

TEST_P(AtDpi, EveryPaintedPixelReachesItsElement) {
  const int dpi = GetParam();
  Form1Interaction app;
  const FormModel& form = app.Model();
  const int width = Edge(7050, dpi), height = Edge(1845, dpi);  // the client area as designed
  const std::vector<std::string> map = PaintMap(dpi, width, height);
  std::map<std::string, int> pixelsOf;
  int wrong = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::string& shown = map[static_cast<std::size_t>(y * width + x)];
      const std::optional<std::size_t> got = app.user->ElementAt(x, y, Density::AtDpi(dpi));
      const std::string reached = got ? form.controls[*got].name : "";
      ++pixelsOf[shown];
      if (reached != shown && ++wrong <= 5)
        ADD_FAILURE() << "at " << x << "," << y << ": shows '" << shown << "', reaches '" << reached << "'";
    }
  }
  EXPECT_EQ(wrong, 0);
  for (const Designed& d : kFromTheTop) EXPECT_GT(pixelsOf[d.name], 0) << d.name << " is hidden";
}

// The overlaps of the layout: the upper element keeps the shared pixels.
TEST_P(AtDpi, OverlapsGoToTheUpperElement) {
  const int dpi = GetParam();
  Form1Interaction app;
  const FormModel& form = app.Model();
  const auto index = [&](std::string_view name) { return app.Index(name); };
  const std::pair<std::string_view, std::string_view> overlaps[] = {
      {"Label6", "Label1"}, {"Image1", "Label6"}, {"Image2", "Label7"}};
  for (const auto& [upper, lower] : overlaps) {
    const PixelRect a = ToPixels(form.controls[index(upper)].rect, dpi);
    const PixelRect b = ToPixels(form.controls[index(lower)].rect, dpi);
    const int left = std::max(a.left, b.left), right = std::min(a.left + a.width, b.left + b.width);
    const int y = std::max(a.top, b.top);
    ASSERT_LT(left, right) << upper << " no longer overlaps " << lower;
    for (int x = left; x < right; ++x)
      EXPECT_EQ(app.user->ElementAt(x, y, Density::AtDpi(dpi)), index(upper)) << upper << " at " << x;
  }
}

INSTANTIATE_TEST_SUITE_P(Screens, AtDpi, testing::Values(96, 120, 144, 192),
                         [](const testing::TestParamInfo<int>& screen) {
                           return std::to_string(screen.param);
                         });

TEST(ToolTip, IsTheElementsAtThePoint) {
  Form1Interaction app;
  EXPECT_EQ(ToUtf8(app.user->ToolTipAt(30, 110, k96)), "点击访问小店");
  EXPECT_EQ(ToUtf8(app.user->ToolTipAt(275, 110, k96)), "点击联系我旺旺");
  EXPECT_EQ(ToUtf8(app.user->ToolTipAt(915, 200, kScale2)), "点击联系我QQ");
  EXPECT_EQ(ToUtf8(app.user->ToolTipAt(240, 110, k96)), "");  // Label6 has none
  EXPECT_EQ(ToUtf8(app.user->ToolTipAt(60, 30, k96)), "");    // a text box
}

}  // namespace
}  // namespace mivello
