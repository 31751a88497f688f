// The form's accessible object asked while the window is being built, as a
// tool may ask it (WM_GETOBJECT can arrive inside CreateWindowExW): when the
// form has just been created and before each of its controls.
#include <windows.h>
// After windows.h:
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "app/project_record.h"
#include "runtime/run_project.h"
#include "runtime/win32/form_window.h"
#include "runtime/win32/win32_backend.h"
#include "tests/support/accessible_variant.h"

namespace mivello {
namespace {

using testing_support::Child;
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

}  // namespace
}  // namespace mivello
