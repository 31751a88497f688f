// The Win32 window's ownership (a failure while it is built leaves nothing
// behind, nothing reaches the object once it is gone), its tooltip and the
// mouse messages it translates.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/project_record.h"
#include "runtime/start_program.h"
#include "runtime/startup/run_project.h"
#include "runtime/win32/pictures.h"
#include "runtime/win32/win32_backend.h"
#include "tests/expected/expected_values.h"
#include "tests/support/form1_interaction.h"
#include "tests/support/win32_messages.h"

namespace mivello {
namespace {

using testing_support::QuitPosted;

// Refuses the creation of the n-th window of one class made on this thread,
// through a CBT hook: the window system itself says no.
class RefuseWindow {
 public:
  RefuseWindow(const wchar_t* className, int nth) {
    class_ = className;
    countdown_ = nth;
    hook_ = SetWindowsHookExW(WH_CBT, &OnCbt, nullptr, GetCurrentThreadId());
  }
  ~RefuseWindow() { UnhookWindowsHookEx(hook_); }
  bool Installed() const { return hook_ != nullptr; }

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
      const bool named = !IS_INTRESOURCE(create->lpszClass);
      if (named && lstrcmpiW(create->lpszClass, class_) == 0 && --countdown_ == 0) return 1;  // refused
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline const wchar_t* class_ = L"";
  static inline int countdown_ = 0;
  HHOOK hook_ = nullptr;
};

// This thread's windows of the classes the form makes.
BOOL CALLBACK CountFormWindow(HWND window, LPARAM counter) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (lstrcmpiW(name, L"MivelloForm") == 0 || lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) {
    ++*reinterpret_cast<int*>(counter);
  }
  return TRUE;
}

int FormWindowsLeft() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountFormWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

struct Refusal {
  const char* proves;
  const wchar_t* className;
  int nth;
};

void PrintTo(const Refusal& row, std::ostream* os) { *os << row.proves; }

class Win32FailedBuild : public testing::TestWithParam<Refusal> {};

TEST_P(Win32FailedBuild, LeavesNoWindowAndNoQuit) {
  win32::Win32Backend backend;
  {
    RefuseWindow refuse(GetParam().className, GetParam().nth);
    ASSERT_TRUE(refuse.Installed());
    EXPECT_THROW(ProjectSession(MivelloProject(), backend), StartupError) << GetParam().proves;
  }
  EXPECT_EQ(FormWindowsLeft(), 0) << GetParam().proves;
  EXPECT_FALSE(QuitPosted()) << GetParam().proves;
}

INSTANTIATE_TEST_SUITE_P(EachWindow, Win32FailedBuild,
                         testing::Values(Refusal{"the form itself", L"MivelloForm", 1},
                                         Refusal{"the first control, after the form", L"Button", 1},
                                         Refusal{"a text box in the middle", L"Edit", 2},
                                         Refusal{"the last control, after all others", L"Button", 2}));

TEST(Win32Window, ABuiltWindowGoesWithItsBackend) {
  {
    win32::Win32Backend backend;
    ProjectSession session(MivelloProject(), backend);
    EXPECT_FALSE(QuitPosted());       // what the first paint left to do
    EXPECT_EQ(FormWindowsLeft(), 2);  // the form and its tooltip
  }
  EXPECT_EQ(FormWindowsLeft(), 0);
  EXPECT_FALSE(QuitPosted());
}

struct ToolTipSearch {
  HWND owner;
  HWND found = nullptr;
};

BOOL CALLBACK FindToolTip(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ToolTipSearch*>(data);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == search->owner)
    search->found = window;
  return TRUE;
}

HWND ToolTipOf(HWND form) {
  ToolTipSearch search{form};
  EnumThreadWindows(GetCurrentThreadId(), &FindToolTip, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The text the form gives its tooltip with the cursor at a client point.
std::string ToolTipTextAt(HWND form, HWND toolTip, POINT client) {
  ClientToScreen(form, &client);
  SetCursorPos(client.x, client.y);
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = toolTip;
  info.hdr.code = TTN_GETDISPINFOW;
  SendMessageW(form, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  return info.lpszText != nullptr ? ToUtf8(reinterpret_cast<const char16_t*>(info.lpszText)) : "(none)";
}

// The tooltip is made once the form has been painted (the first paint
// waits for no window of its own) and asks the runtime what to say.
TEST(Win32Window, TheToolTipComesAfterTheFirstPaintAndSaysWhatTheRuntimeSays) {
  win32::Win32Backend backend;
  ProjectSession session(MivelloProject(), backend);
  HWND form = backend.Window()->Handle();
  EXPECT_EQ(ToolTipOf(form), nullptr) << "made before the window was seen";
  EXPECT_FALSE(QuitPosted());
  HWND toolTip = ToolTipOf(form);
  ASSERT_NE(toolTip, nullptr);
  EXPECT_EQ(SendMessageW(toolTip, TTM_GETTOOLCOUNT, 0, 0), 1);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const auto at = [&](int x, int y) { return POINT{MulDiv(x, dpi, 96), MulDiv(y, dpi, 96)}; };
  EXPECT_EQ(ToolTipTextAt(form, toolTip, at(40, 112)), "点击访问小店");   // the shop line
  EXPECT_EQ(ToolTipTextAt(form, toolTip, at(430, 106)), "点击联系我QQ");  // the QQ badge
  EXPECT_EQ(ToolTipTextAt(form, toolTip, at(8, 8)), "");                  // the bare form
}

// The mouse messages of a double-click on each link: it opens once.
TEST(Win32Window, ADoubleClickOnALinkOpensItOnce) {
  std::vector<std::string> started;
  ScopedLauncher recorder([&](const CommandLine& line, StringView, WindowStyle) {
    started.push_back(ToUtf8(line.argument).substr(0, 10));
    return 1.0;
  });
  win32::Win32Backend backend;
  ProjectSession session(MivelloProject(), backend);
  HWND form = backend.Window()->Handle();
  // Without the class style Windows sends the second press as a plain one.
  EXPECT_NE(GetClassLongPtrW(form, GCL_STYLE) & CS_DBLCLKS, 0u);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  for (POINT at : {POINT{290, 100}, POINT{430, 106}, POINT{40, 112}}) {  // Image1, Image2, Label1
    const LPARAM point = MAKELPARAM(MulDiv(at.x, dpi, 96), MulDiv(at.y, dpi, 96));
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
      SendMessageW(form, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, point);
  }
  EXPECT_EQ(started, (std::vector<std::string>{"http://amo", "tencent://", "http://vel"}));
}

// Real double-clicks on the buttons, through the system's input queue: two
// Clicks each, as two single clicks give.
TEST(Win32Window, ADoubleClickOnAButtonIsTwoClicks) {
  ProjectRecord project = MivelloProject();
  FormTableEntry form1 = project.forms.front();
  const FormModel model = project.readForm(form1);  // the bindings name its controls
  const std::vector<EventBinding> recorders = testing_support::RecordingBindings(model);
  form1.events = recorders;
  project.forms = std::span(&form1, 1);
  testing_support::clicks.clear();
  win32::Win32Backend backend;
  ProjectSession session(project, backend);
  HWND form = backend.Window()->Handle();
  EXPECT_FALSE(QuitPosted());
  std::vector<std::string> expected;
  for (const auto& [caption, name] : {std::pair{L"计算", "Command1"}, std::pair{L"重来", "Command2"}}) {
    HWND button = FindWindowExW(form, nullptr, L"Button", caption);
    ASSERT_NE(button, nullptr);
    RECT r;
    GetWindowRect(button, &r);
    SetForegroundWindow(form);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT presses[4] = {};
    for (int i = 0; i < 4; ++i) {
      presses[i].type = INPUT_MOUSE;
      presses[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    ASSERT_EQ(SendInput(4, presses, sizeof(INPUT)), 4u);
    expected.insert(expected.end(), {name, name});
    // Until both have come, then a while longer for any that should not.
    for (int i = 0; i < 100 && testing_support::clicks.size() < expected.size(); ++i) {
      EXPECT_FALSE(QuitPosted());
      Sleep(20);
    }
    Sleep(300);
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(testing_support::clicks, expected);
  }
}

// Moved between screens of other densities, the client area is the stored
// 7050 x 1845 twips in each screen's pixels (halves rounded up), whatever
// size the system suggests, and the size it asks for ahead is that one.
TEST(Win32Window, KeepsItsClientAreaExactAcrossDpiChanges) {
  constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE
  win32::Win32Backend backend;
  ProjectSession session(MivelloProject(), backend);
  HWND form = backend.Window()->Handle();
  struct Step {
    UINT dpi;
    SIZE client;
  };
  const Step steps[] = {
      {144, {705, 185}}, {192, {940, 246}}, {96, {470, 123}}, {120, {588, 154}}, {96, {470, 123}}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.dpi);
    RECT now;
    GetWindowRect(form, &now);
    SIZE asked{};
    EXPECT_TRUE(SendMessageW(form, kGetDpiScaledSize, step.dpi, reinterpret_cast<LPARAM>(&asked)));
    EXPECT_GE(asked.cx, step.client.cx);
    EXPECT_GE(asked.cy, step.client.cy);
    // The system's proportional guess, a pixel short, as it may be.
    RECT suggested{now.left, now.top,
                   now.left + MulDiv(now.right - now.left, static_cast<int>(step.dpi), 96) - 1,
                   now.top + MulDiv(now.bottom - now.top, static_cast<int>(step.dpi), 96) - 1};
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(step.dpi, step.dpi), reinterpret_cast<LPARAM>(&suggested));
    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right - client.left, step.client.cx);
    EXPECT_EQ(client.bottom - client.top, step.client.cy);
    RECT placed;
    GetWindowRect(form, &placed);
    EXPECT_EQ(placed.left, suggested.left);  // where the system put it
    EXPECT_EQ(placed.top, suggested.top);
  }
  EXPECT_FALSE(QuitPosted());
}

// The window's icon comes from the runtime's own icon reader, the one the
// Linux window uses and the fuzzer feeds: the image nearest each size the
// system asks for, and no icon at all from damaged bytes.
TEST(Win32Window, TheIconIsReadByTheRuntimesOwnReader) {
  const ProjectRecord& project = MivelloProject();
  const std::vector<std::uint8_t> file = project.readForm(project.forms.front()).icon;
  const std::pair<int, LONG> sizes[] = {{16, 16}, {32, 32}, {48, 48}, {64, 64}, {20, 32}, {100, 64}};
  for (const auto& [asked, given] : sizes) {
    SCOPED_TRACE(asked);
    const win32::UniqueIcon icon = win32::IconFromFile(file, asked);
    ASSERT_NE(icon.get(), nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(std::make_pair(colour.bmWidth, colour.bmHeight), std::make_pair(given, given));
    // Where the system draws through the mask, every pixel is opaque.
    std::vector<BYTE> mask(static_cast<std::size_t>((given + 15) / 16 * 2 * given), 0xEE);
    EXPECT_EQ(GetBitmapBits(info.hbmMask, static_cast<LONG>(mask.size()), mask.data()),
              static_cast<LONG>(mask.size()));
    EXPECT_EQ(std::count(mask.begin(), mask.end(), 0), static_cast<std::ptrdiff_t>(mask.size()));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  EXPECT_EQ(win32::IconFromFile(std::vector<std::uint8_t>(file.begin(), file.begin() + 40), 32).get(),
            nullptr);
  EXPECT_EQ(win32::IconFromFile({}, 32).get(), nullptr);
}

}  // namespace
}  // namespace mivello
