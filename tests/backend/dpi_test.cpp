// Form1 at the densities of common screens: every pixel that the runtime
// paints for an element, or that a native control covers, is a pixel whose
// click reaches that element; and a Click needs the press and the release on
// the same element.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/project_record.h"
#include "runtime/geometry.h"
#include "runtime/headless/headless_backend.h"
#include "runtime/run_project.h"
#include "runtime/windowless.h"

namespace mivello {
namespace {

std::optional<std::size_t> clicked;

template <std::size_t I>
void Record(Form&) {
  clicked = I;
}

template <std::size_t... I>
constexpr std::array<Procedure, sizeof...(I)> Recorders(std::index_sequence<I...>) {
  return {&Record<I>...};
}

// Form1 as stored, with every control's Click recorded rather than run.
class RecordedForm1 {
 public:
  explicit RecordedForm1(int dpi) : window(dpi) {
    const ProjectRecord& project = MivelloProject();
    model_ = project.readForm(project.forms.front());
    constexpr auto recorders = Recorders(std::make_index_sequence<14>());
    for (std::size_t i = 0; i < model_.controls.size() && i < recorders.size(); ++i)
      bindings_.push_back({model_.controls[i].name, Event::Click, recorders[i]});
    entry_ = project.forms.front();
    entry_.events = bindings_;
    record_ = project;
    record_.forms = {&entry_, 1};
    session_.emplace(record_, window);
  }

  const FormModel& Model() const { return model_; }
  // What a click at a pixel reaches: the element whose Click it makes, or
  // the text box it focuses (a text box has no Click of its own here).
  std::optional<std::size_t> ClickAt(int x, int y) {
    clicked.reset();
    window.Focus("Command1");
    window.ClickAt(x, y);
    if (clicked) return std::exchange(clicked, std::nullopt);
    for (std::size_t i = 0; i < model_.controls.size(); ++i) {
      if (model_.controls[i].kind == ControlClass::TextBox && window.Focused() == model_.controls[i].name)
        return i;
    }
    return std::nullopt;
  }

  HeadlessBackend window;

 private:
  FormModel model_;
  std::vector<EventBinding> bindings_;
  FormTableEntry entry_;
  ProjectRecord record_;
  std::optional<ProjectSession> session_;
};

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

TEST_P(AtDpi, EveryPaintedPixelClicksItsElement) {
  const int dpi = GetParam();
  RecordedForm1 app(dpi);
  const FormModel& form = app.Model();
  const int width = Edge(7050, dpi), height = Edge(1845, dpi);  // the client area as designed
  const std::vector<std::string> map = PaintMap(dpi, width, height);
  std::map<std::string, int> pixelsOf;
  int wrong = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::string& shown = map[static_cast<std::size_t>(y * width + x)];
      const std::optional<std::size_t> got = app.ClickAt(x, y);
      const std::string reached = got ? form.controls[*got].name : "";
      ++pixelsOf[shown];
      if (reached != shown && ++wrong <= 5)
        ADD_FAILURE() << "at " << x << "," << y << ": shows '" << shown << "', clicks '" << reached << "'";
    }
  }
  EXPECT_EQ(wrong, 0);
  for (const Designed& d : kFromTheTop) EXPECT_GT(pixelsOf[d.name], 0) << d.name << " is hidden";
}

// The overlaps of the layout: the upper element keeps the shared pixels.
TEST_P(AtDpi, OverlapsGoToTheUpperElement) {
  const int dpi = GetParam();
  RecordedForm1 app(dpi);
  const FormModel& form = app.Model();
  const auto index = [&](std::string_view name) {
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
      if (form.controls[i].name == name) return i;
    }
    return form.controls.size();
  };
  const std::pair<std::string_view, std::string_view> overlaps[] = {
      {"Label6", "Label1"}, {"Image1", "Label6"}, {"Image2", "Label7"}};
  for (const auto& [upper, lower] : overlaps) {
    const PixelRect a = ToPixels(form.controls[index(upper)].rect, dpi);
    const PixelRect b = ToPixels(form.controls[index(lower)].rect, dpi);
    const int left = std::max(a.left, b.left), right = std::min(a.left + a.width, b.left + b.width);
    const int y = std::max(a.top, b.top);
    ASSERT_LT(left, right) << upper << " no longer overlaps " << lower;
    for (int x = left; x < right; ++x) EXPECT_EQ(app.ClickAt(x, y), index(upper)) << upper << " at " << x;
  }
}

INSTANTIATE_TEST_SUITE_P(Screens, AtDpi, testing::Values(96, 120, 144, 192),
                         [](const testing::TestParamInfo<int>& screen) {
                           return std::to_string(screen.param);
                         });

TEST(Click, NeedsThePressAndTheReleaseOnTheSameElement) {
  RecordedForm1 app(kDefaultDpi);
  clicked.reset();
  app.window.PressAt(30, 110);     // Label1
  app.window.ReleaseAt(290, 100);  // Image1
  EXPECT_EQ(clicked, std::nullopt);
  app.window.PressAt(5, 5);  // the bare form
  app.window.ReleaseAt(30, 110);
  EXPECT_EQ(clicked, std::nullopt);
  app.window.PressAt(30, 110);
  app.window.ReleaseAt(200, 112);  // still Label1
  EXPECT_EQ(clicked, std::optional<std::size_t>(13));
  // The release is hit-tested among what the form paints: over the text box
  // that covers the end of 原价：, it is still on the caption.
  clicked.reset();
  app.window.PressAt(30, 40);  // Label2
  app.window.ReleaseAt(60, 40);
  EXPECT_EQ(clicked, std::optional<std::size_t>(11));
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

}  // namespace
}  // namespace mivello
