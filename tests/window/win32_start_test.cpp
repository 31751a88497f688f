// What the Win32 window loads as it starts: Active Accessibility only when a
// tool first asks. A program of its own, as the library once loaded stays
// for the life of the process.
#include <windows.h>
// After windows.h:
#include <gtest/gtest.h>
#include <oleacc.h>

#include "app/project_record.h"
#include "runtime/startup/run_project.h"
#include "runtime/win32/win32_backend.h"
#include "tests/support/win32_messages.h"

namespace mivello {
namespace {

TEST(Win32Start, LoadsActiveAccessibilityOnlyWhenAToolAsks) {
  if (GetModuleHandleW(L"oleacc.dll") != nullptr)  // a repeat in the same process
    GTEST_SKIP() << "loaded before this test began: seen only in a process of its own";
  win32::Win32Backend backend;
  ProjectSession session(MivelloProject(), backend);
  EXPECT_FALSE(testing_support::QuitPosted());
  EXPECT_EQ(GetModuleHandleW(L"oleacc.dll"), nullptr) << "loaded at start-up";
  IAccessible* accessible = backend.Window()->AccessibleObject();
  ASSERT_NE(accessible, nullptr);
  EXPECT_NE(GetModuleHandleW(L"oleacc.dll"), nullptr) << "not loaded when asked";
  accessible->Release();
}

}  // namespace
}  // namespace mivello
