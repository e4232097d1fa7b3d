#include "platform/single_instance/single_instance.h"

#include "platform/runtime/windows_system_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using platform::SingleInstance;

namespace {

std::string UniqueSpace() { return "ZelmaroTest" + std::to_string(::GetCurrentProcessId()); }

}  // namespace

TEST(SingleInstanceMutex, SecondHolderRefusedUntilTheFirstIsGone) {
  const std::string space = UniqueSpace();
  auto first = std::make_unique<SingleInstance>("Zelmaro", space);
  EXPECT_FALSE(first->PrevInstance());
  EXPECT_FALSE(first->PrevInstance());  // asking again keeps it
  {
    SingleInstance second("Zelmaro", space);
    EXPECT_TRUE(second.PrevInstance());
    SingleInstance other("OtherApp", space);
    EXPECT_FALSE(other.PrevInstance());
  }
  first.reset();
  SingleInstance third("Zelmaro", space);
  EXPECT_FALSE(third.PrevInstance());
}

// A holder of the name elsewhere is seen; the name lives in the session's name space.
TEST(SingleInstanceMutex, AHolderOfTheNameElsewhereIsSeen) {
  HANDLE held = ::CreateMutexW(nullptr, FALSE, L"Local\\ZelmaroTestHeld");
  ASSERT_NE(held, nullptr);
  SingleInstance probe("ZelmaroTestHeld");
  EXPECT_TRUE(probe.PrevInstance());
  ::CloseHandle(held);
  EXPECT_FALSE(probe.PrevInstance());
}
