// The Win32 window's ownership: a failure while it is built leaves nothing
// behind, and nothing reaches the object once it is gone.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/project_record.h"
#include "runtime/run_project.h"
#include "runtime/win32/win32_backend.h"

namespace mivello {
namespace {

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
int FormWindowsLeft() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM counter) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (lstrcmpiW(name, L"MivelloForm") == 0 || lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) {
          ++*reinterpret_cast<int*>(counter);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
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
    EXPECT_EQ(FormWindowsLeft(), 2);  // the form and its tooltip
  }
  EXPECT_EQ(FormWindowsLeft(), 0);
  EXPECT_FALSE(QuitPosted());
}

}  // namespace
}  // namespace mivello
