// The floating-point check sees what the operations raised into the
// runtime's status, whatever the processor's own flags say: the same errors
// on a soft-float C library that keeps no flags as on any other.
#include <gtest/gtest.h>

#include <cfenv>

#include "runtime/runtime_error.h"
#include "tests/support/expect_raises.h"

namespace mivello {
namespace {

TEST(FpStatus, IsKeptByTheRuntimeNotByTheProcessor) {
  ClearFpStatus();
  std::feraiseexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO);  // where the processor keeps flags
  EXPECT_NO_THROW(CheckFpStatus());

  RaiseFpStatus(false, true);
  std::feclearexcept(FE_ALL_EXCEPT);  // as a C library without flags leaves them
  EXPECT_RAISES(CheckFpStatus(), 6, u"溢出");
  EXPECT_NO_THROW(CheckFpStatus());  // raising the error clears the status

  RaiseFpStatus(true, false);
  ClearFpStatus();
  EXPECT_NO_THROW(CheckFpStatus());
}

}  // namespace
}  // namespace mivello
