#include "platform/runtime/runtime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// The number a failing expression raises, with its text; 0 when it raises nothing.
template <typename F>
std::pair<int, std::string> Raised(F f) {
  try {
    f();
  } catch (const platform::RuntimeError& e) {
    return {e.Number(), e.what()};
  }
  return {0, ""};
}

TEST(RuntimeErrors, ArithmeticFaultsCarryTheRuntimesNumberAndText) {
  using P = std::pair<int, std::string>;
  EXPECT_EQ(Raised([] { platform::CheckedDivide(1, 0); }), P(11, "Division by zero"));
  EXPECT_EQ(Raised([] { platform::CheckedDivide(0, 0); }), P(6, "Overflow"));
  EXPECT_EQ(Raised([] { platform::CheckedDouble(std::nan("")); }), P(6, "Overflow"));
  EXPECT_EQ(Raised([] { platform::CInt(32767.5); }), P(6, "Overflow"));
  EXPECT_EQ(Raised([] { platform::Raise(platform::kErrOutOfMemory); }), P(7, "Out of memory"));
  EXPECT_EQ(Raised([] { platform::CheckedDivide(150, 3); }), P(0, ""));
}

}  // namespace
