// The Win32 window's ownership: a failure while it is built leaves nothing
// behind, and nothing reaches the object once it is gone.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <optional>
#include <string>
#include <vector>

#include "app/project_record.h"
#include "runtime/run_project.h"
#include "runtime/start_program.h"
#include "runtime/win32/win32_backend.h"
#include "tests/expected/expected_values.h"
#include "tests/support/accessible_variant.h"

namespace mivello {
namespace {

using testing_support::Child;
using testing_support::Utf8;

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

bool QuitPosted() {
  MSG message;
  bool quit = false;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) quit = true;
    DispatchMessageW(&message);  // whatever is left must reach no freed object
  }
  return quit;
}

// Kept first in this file: tests run in the order they are written, and
// once loaded the library stays for the life of the process.
TEST(Win32Window, LoadsActiveAccessibilityOnlyWhenAToolAsks) {
  win32::Win32Backend backend;
  ProjectSession session(MivelloProject(), backend);
  EXPECT_FALSE(QuitPosted());
  EXPECT_EQ(GetModuleHandleW(L"oleacc.dll"), nullptr) << "loaded at start-up";
  IAccessible* accessible = backend.Window()->AccessibleObject();
  ASSERT_NE(accessible, nullptr);
  EXPECT_NE(GetModuleHandleW(L"oleacc.dll"), nullptr) << "not loaded when asked";
  accessible->Release();
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

// What a screen reader gets from the form through Active Accessibility.
TEST(Win32Accessibility, EveryElementWithItsRoleNamePlaceAndAction) {
  std::vector<std::string> started;
  ScopedLauncher recorder([&](const CommandLine& line, StringView, WindowStyle style) {
    started.push_back(ToUtf8(line.argument) + (style == WindowStyle::Hidden ? " (hidden)" : " (shown)"));
    return 1.0;
  });
  std::optional<win32::Win32Backend> backend(std::in_place);
  ProjectSession session(MivelloProject(), *backend);
  HWND form = FindWindowW(L"MivelloForm", nullptr);
  ASSERT_NE(form, nullptr);
  // The object that WM_GETOBJECT hands out for the client area. Wine's
  // oleacc cannot marshal IAccessible (no type library behind its proxy), so
  // the test takes the object itself rather than through the message.
  IAccessible* accessible = backend->Window()->AccessibleObject();
  ASSERT_NE(accessible, nullptr);
  long count = 0;
  accessible->get_accChildCount(&count);
  ASSERT_EQ(count, 14);

  struct Row {
    const char* name;
    long role;
    const char* description;
    RECT pixels;  // client pixels at 96 dots per inch: left, top, right, bottom
  };
  const Row expected[] = {
      {"原价：", ROLE_SYSTEM_STATICTEXT, "", {24, 32, 65, 49}},
      {"原价", ROLE_SYSTEM_TEXT, "", {56, 24, 113, 49}},
      {"折扣：", ROLE_SYSTEM_STATICTEXT, "", {120, 32, 161, 49}},
      {"折扣", ROLE_SYSTEM_TEXT, "", {152, 24, 209, 49}},
      {"现价：", ROLE_SYSTEM_STATICTEXT, "", {216, 32, 265, 49}},
      {"现价", ROLE_SYSTEM_TEXT, "", {248, 24, 313, 49}},
      {"计算", ROLE_SYSTEM_PUSHBUTTON, "", {320, 24, 385, 49}},
      {"重来", ROLE_SYSTEM_PUSHBUTTON, "", {400, 24, 457, 49}},
      {"使用说明:直接输入原价和折扣值就可以了。如9折就直接在折扣处输入9。",
       ROLE_SYSTEM_STATICTEXT,
       "",
       {40, 72, 433, 89}},
      {expected::shop_line.data(), ROLE_SYSTEM_LINK, "点击访问小店", {24, 104, 241, 121}},
      {"旺旺：", ROLE_SYSTEM_STATICTEXT, "", {240, 104, 281, 121}},
      {"和我联系", ROLE_SYSTEM_LINK, "点击联系我旺旺", {272, 96, 349, 115}},
      {"QQ：", ROLE_SYSTEM_STATICTEXT, "", {360, 104, 409, 121}},
      {"QQ在线", ROLE_SYSTEM_LINK, "点击联系我QQ", {384, 96, 458, 119}},
  };
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  POINT origin{0, 0};
  ClientToScreen(form, &origin);
  for (long id = 1; id <= count; ++id) {
    const Row& want = expected[id - 1];
    SCOPED_TRACE(want.name);
    BSTR name = nullptr;
    accessible->get_accName(Child(id), &name);
    EXPECT_EQ(Utf8(name), want.name);
    VARIANT role;
    VariantInit(&role);
    accessible->get_accRole(Child(id), &role);
    EXPECT_EQ(role.lVal, want.role);
    BSTR description = nullptr;
    accessible->get_accDescription(Child(id), &description);
    EXPECT_EQ(Utf8(description), want.description);
    long x = 0, y = 0, w = 0, h = 0;
    accessible->accLocation(&x, &y, &w, &h, Child(id));
    const RECT r{MulDiv(want.pixels.left, dpi, 96), MulDiv(want.pixels.top, dpi, 96),
                 MulDiv(want.pixels.right, dpi, 96), MulDiv(want.pixels.bottom, dpi, 96)};
    EXPECT_EQ((std::vector<long>{x - origin.x, y - origin.y, w, h}),
              (std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top}));
    IDispatch* own = nullptr;
    const HRESULT hr = accessible->get_accChild(Child(id), &own);
    // Native controls are objects of their own; what the runtime paints is not.
    EXPECT_EQ(own != nullptr, want.role == ROLE_SYSTEM_TEXT || want.role == ROLE_SYSTEM_PUSHBUTTON) << hr;
    if (own != nullptr) own->Release();
  }

  // A point finds what the mouse would reach: the part of 旺旺： under the badge is the badge.
  VARIANT hit;
  VariantInit(&hit);
  accessible->accHitTest(origin.x + MulDiv(275, dpi, 96), origin.y + MulDiv(110, dpi, 96), &hit);
  EXPECT_EQ(hit.lVal, 12);
  accessible->accHitTest(origin.x + MulDiv(250, dpi, 96), origin.y + MulDiv(110, dpi, 96), &hit);
  EXPECT_EQ(hit.lVal, 11);

  // Each link's default action opens what its click opens, once the call has returned.
  for (long id : {10L, 12L, 14L}) {
    BSTR action = nullptr;
    accessible->get_accDefaultAction(Child(id), &action);
    EXPECT_EQ(Utf8(action), "跳转");
    EXPECT_HRESULT_SUCCEEDED(accessible->accDoDefaultAction(Child(id)));
  }
  EXPECT_EQ(accessible->accDoDefaultAction(Child(1)), DISP_E_MEMBERNOTFOUND);  // a plain caption does nothing
  EXPECT_TRUE(started.empty());
  EXPECT_FALSE(QuitPosted());
  EXPECT_EQ(started, (std::vector<std::string>{std::string(expected::shop_link) + " (shown)",
                                               std::string(expected::wangwang_link) + " (hidden)",
                                               std::string(expected::qq_link) + " (hidden)"}));

  // A tool that keeps the object past the window gets errors, not a crash.
  backend.reset();
  long left = 0;
  EXPECT_EQ(accessible->get_accChildCount(&left), CO_E_OBJNOTCONNECTED);
  accessible->Release();
}

// Every direction from the form and from each element, with the system's
// own object missing as under Wine: an answer as documented, never a crash.
TEST(Win32Accessibility, NavigatesEveryWayWithoutTheSystemsObject) {
  win32::Win32Backend backend;
  ProjectSession session(MivelloProject(), backend);
  IAccessible* accessible = backend.Window()->AccessibleObject();
  ASSERT_NE(accessible, nullptr);
  for (long from = CHILDID_SELF; from <= 14; ++from) {
    for (long direction = 0; direction <= NAVDIR_LASTCHILD + 1; ++direction) {
      VARIANT end;
      const HRESULT hr = accessible->accNavigate(direction, Child(from), &end);
      const bool valid = direction >= NAVDIR_UP && direction <= NAVDIR_LASTCHILD;
      EXPECT_EQ(hr == E_INVALIDARG, !valid) << "from " << from << " direction " << direction;
      if (hr == S_OK && end.vt == VT_I4) {
        EXPECT_TRUE(end.lVal >= 1 && end.lVal <= 14);
      }
      if (hr == S_OK && end.vt == VT_DISPATCH) end.pdispVal->Release();  // the system's object answered
      if (hr != S_OK) {
        EXPECT_EQ(end.vt, VT_EMPTY);
      }
    }
  }
  VARIANT end;
  EXPECT_EQ(accessible->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &end), S_OK);
  EXPECT_EQ(end.lVal, 1);
  EXPECT_EQ(accessible->accNavigate(NAVDIR_LASTCHILD, Child(CHILDID_SELF), &end), S_OK);
  EXPECT_EQ(end.lVal, 14);
  EXPECT_EQ(accessible->accNavigate(NAVDIR_NEXT, Child(3), &end), S_OK);
  EXPECT_EQ(end.lVal, 4);
  EXPECT_EQ(accessible->accNavigate(NAVDIR_PREVIOUS, Child(1), &end), S_FALSE);
  EXPECT_EQ(accessible->accNavigate(NAVDIR_NEXT, Child(14), &end), S_FALSE);
  EXPECT_EQ(accessible->accNavigate(NAVDIR_NEXT, Child(15), &end), E_INVALIDARG);
  EXPECT_EQ(accessible->accNavigate(NAVDIR_NEXT, Child(CHILDID_SELF), nullptr), E_POINTER);
  accessible->Release();
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

}  // namespace
}  // namespace mivello
