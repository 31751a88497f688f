// A C library without its character-set modules: the start stops with a
// line that names the missing converter, not a damaged form. This program's
// own iconv_open stands in for such a library.
#include <errno.h>
#include <gtest/gtest.h>
#include <iconv.h>

#include "app/project_record.h"
#include "runtime/headless/headless_backend.h"
#include "runtime/startup/run_project.h"
#include "runtime/system/codepage.h"

iconv_t iconv_open(const char* /*to*/, const char* /*from*/) noexcept {
  errno = EINVAL;  // what the C library answers for a converter it has no module for
  return reinterpret_cast<iconv_t>(-1);
}

namespace mivello {
namespace {

TEST(NoCodePage936, IsToldAsSuchWhenTheFormIsRead) {
  HeadlessBackend backend;
  EXPECT_EQ(RunProjectOn(MivelloProject(), backend), 1);
  ASSERT_EQ(backend.StartupFailures().size(), 1u);
  EXPECT_EQ(backend.StartupFailures()[0], NoCodePage936().what());
  EXPECT_NE(backend.StartupFailures()[0].find("code page 936"), std::string::npos);
  EXPECT_NE(backend.StartupFailures()[0].find("libc6"), std::string::npos);
  EXPECT_THROW(ToCodePage936(u"计算"), NoCodePage936);
}

}  // namespace
}  // namespace mivello
