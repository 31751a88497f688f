#pragma once
// A check that a call raises one runtime error: its number and description.
#include <gtest/gtest.h>

#include <string>

#include "runtime/runtime_error.h"
#include "runtime/string.h"

namespace mivello::testing_support {

template <typename Call>
testing::AssertionResult Raises(Call&& call, int number, StringView description = {}) {
  try {
    call();
  } catch (const RuntimeError& e) {
    if (e.Number() != number)
      return testing::AssertionFailure() << "raised " << e.Number() << " instead of " << number;
    if (!description.empty() && e.Description() != description)
      return testing::AssertionFailure() << "raised " << number << " as \"" << ToUtf8(e.Description()) << '"';
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "raised no error";
}

}  // namespace mivello::testing_support

// EXPECT_RAISES(TextToDouble(u"1e400"), 6, u"溢出")
#define EXPECT_RAISES(call, ...) \
  EXPECT_TRUE(::mivello::testing_support::Raises([&] { static_cast<void>(call); }, __VA_ARGS__)) << #call
