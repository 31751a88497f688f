// The form as a screen reader gets it through Active Accessibility: every
// element with its role, name, place and action, navigation every way, and
// answers while the window is being built (WM_GETOBJECT can arrive inside
// CreateWindowExW): when the form has just been created and before each
// of its controls.
#include <windows.h>
// After windows.h:
#include <gtest/gtest.h>
#include <oleacc.h>

#include <optional>
#include <string>
#include <vector>

#include "app/project_record.h"
#include "runtime/start_program.h"
#include "runtime/startup/run_project.h"
#include "runtime/win32/form_window.h"
#include "runtime/win32/win32_backend.h"
#include "tests/expected/expected_values.h"
#include "tests/support/accessible_variant.h"
#include "tests/support/win32_messages.h"

namespace mivello {
namespace {

using testing_support::Child;
using testing_support::QuitPosted;
using testing_support::Utf8;

// What a tool reads of the form at one moment.
struct Reading {
  std::vector<std::string> names;
  int nativeObjects = 0;  // children answered by a control's own object
  bool answered = true;   // every call answered without an error
};

Reading Read(HWND form) {
  Reading r;
  win32::FormWindow* window = win32::FormWindow::Of(form);
  IAccessible* accessible = window != nullptr ? window->AccessibleObject() : nullptr;
  if (accessible == nullptr) return {{}, 0, false};
  long count = 0;
  r.answered = SUCCEEDED(accessible->get_accChildCount(&count));
  for (long id = 1; id <= count; ++id) {
    BSTR name = nullptr;
    r.answered &= SUCCEEDED(accessible->get_accName(Child(id), &name));
    r.names.push_back(Utf8(name));
    IDispatch* own = nullptr;
    r.answered &= SUCCEEDED(accessible->get_accChild(Child(id), &own));
    if (own != nullptr) {
      ++r.nativeObjects;
      own->Release();
    }
    long x = 0, y = 0, w = 0, h = 0;
    r.answered &= SUCCEEDED(accessible->accLocation(&x, &y, &w, &h, Child(id)));
    VARIANT hit;
    VariantInit(&hit);
    r.answered &= SUCCEEDED(accessible->accHitTest(x + w / 2, y + h / 2, &hit));
    VariantClear(&hit);
  }
  accessible->Release();
  return r;
}

// Reads the form as soon as it is created and before each control is made:
// a hook on this thread's window messages and window creation.
class WhileBuilt {
 public:
  WhileBuilt() {
    messages_ = SetWindowsHookExW(WH_CALLWNDPROC, &OnMessage, nullptr, GetCurrentThreadId());
    creations_ = SetWindowsHookExW(WH_CBT, &OnCreation, nullptr, GetCurrentThreadId());
    readings_.clear();
  }
  ~WhileBuilt() {
    UnhookWindowsHookEx(messages_);
    UnhookWindowsHookEx(creations_);
  }
  bool Installed() const { return messages_ != nullptr && creations_ != nullptr; }
  static const std::vector<Reading>& Readings() { return readings_; }

 private:
  static LRESULT CALLBACK OnMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_CREATE && win32::FormWindow::Of(message->hwnd) != nullptr)
      readings_.push_back(Read(message->hwnd));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK OnCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      HWND parent = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->hwndParent;
      if (parent != nullptr && win32::FormWindow::Of(parent) != nullptr) readings_.push_back(Read(parent));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline std::vector<Reading> readings_;
  HHOOK messages_ = nullptr;
  HHOOK creations_ = nullptr;
};

TEST(Win32Accessibility, AnswersWhileTheWindowIsBuilt) {
  std::vector<std::string> everyElement;
  {
    win32::Win32Backend backend;
    WhileBuilt hooks;
    ASSERT_TRUE(hooks.Installed());
    ProjectSession session(MivelloProject(), backend);
    everyElement = Read(backend.Window()->Handle()).names;
  }
  const std::vector<Reading>& readings = WhileBuilt::Readings();
  // The form itself, then one reading before each of its five controls.
  ASSERT_EQ(readings.size(), 6u);
  for (std::size_t k = 0; k < readings.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_TRUE(readings[k].answered);
    // Every element is known from the form at once; the controls made so
    // far answer with objects of their own, the rest through the form.
    EXPECT_EQ(readings[k].names, everyElement);
    EXPECT_EQ(readings[k].nativeObjects, static_cast<int>(k == 0 ? 0 : k - 1));
  }
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

}  // namespace
}  // namespace mivello
