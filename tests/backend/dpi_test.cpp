// Form1 at the densities of common screens: every pixel that the runtime
// paints for an element, or that a native control covers, is a pixel whose
// click reaches that element; and a Click needs the press and the release on
// the same element.
#include <gtest/gtest.h>

#include <array>
#include <optional>
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

// What each client pixel shows: the element painted last there, with the
// native controls above all; -1 for the bare form.
std::vector<int> PaintMap(const FormModel& form, int dpi, int width, int height) {
  std::vector<int> map(static_cast<std::size_t>(width * height), -1);
  const auto fill = [&](std::size_t i) {
    const PixelRect r = ToPixels(form.controls[i].rect, dpi);
    for (int y = std::max(r.top, 0); y < std::min(r.top + r.height, height); ++y) {
      for (int x = std::max(r.left, 0); x < std::min(r.left + r.width, width); ++x)
        map[static_cast<std::size_t>(y * width + x)] = static_cast<int>(i);
    }
  };
  for (std::size_t i : PaintOrder(form)) fill(i);
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    if (TakesFocus(form.controls[i].kind)) fill(i);
  }
  return map;
}

class AtDpi : public testing::TestWithParam<int> {};

TEST_P(AtDpi, EveryPaintedPixelClicksItsElement) {
  const int dpi = GetParam();
  RecordedForm1 app(dpi);
  const FormModel& form = app.Model();
  const PixelRect client = ToPixels({0, 0, form.clientRect.width, form.clientRect.height}, dpi);
  const std::vector<int> map = PaintMap(form, dpi, client.width, client.height);
  std::vector<int> pixelsOf(form.controls.size(), 0);
  int wrong = 0;
  for (int y = 0; y < client.height; ++y) {
    for (int x = 0; x < client.width; ++x) {
      const int shown = map[static_cast<std::size_t>(y * client.width + x)];
      const std::optional<std::size_t> got = app.ClickAt(x, y);
      const int reached = got ? static_cast<int>(*got) : -1;
      if (shown >= 0) ++pixelsOf[static_cast<std::size_t>(shown)];
      if (reached != shown && ++wrong <= 5)
        ADD_FAILURE() << "at " << x << "," << y << ": shows " << shown << ", clicks " << reached;
      const String tip = shown >= 0 && !TakesFocus(form.controls[static_cast<std::size_t>(shown)].kind)
                             ? form.controls[static_cast<std::size_t>(shown)].toolTip
                             : String();
      if (shown < 0 || !TakesFocus(form.controls[static_cast<std::size_t>(shown)].kind)) {
        if (app.window.ToolTipAt(x, y) != tip && ++wrong <= 5)
          ADD_FAILURE() << "tooltip at " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
  for (std::size_t i = 0; i < form.controls.size(); ++i)
    EXPECT_GT(pixelsOf[i], 0) << form.controls[i].name << " is hidden";
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
