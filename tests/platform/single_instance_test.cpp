#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "platform/temp_dir.h"

using platform::SingleInstance;

TEST(SingleInstance, SecondHolderRefusedUntilTheFirstIsGone) {
  TempDir dir;
  auto first = std::make_unique<SingleInstance>("Zelmaro", dir.path());
  EXPECT_FALSE(first->PrevInstance());
  EXPECT_FALSE(first->PrevInstance());  // asking again keeps the lock
  {
    SingleInstance second("Zelmaro", dir.path());
    EXPECT_TRUE(second.PrevInstance());
    SingleInstance other("OtherApp", dir.path());
    EXPECT_FALSE(other.PrevInstance());
  }
  SingleInstance third("Zelmaro", dir.path());
  EXPECT_TRUE(third.PrevInstance());
  first.reset();
  EXPECT_FALSE(third.PrevInstance());
  SingleInstance fourth("Zelmaro", dir.path());
  EXPECT_TRUE(fourth.PrevInstance());
}

TEST(SingleInstance, LockOfAKilledProcessIsTakenOver) {
  TempDir dir;
  // A child takes the lock and dies without releasing it.
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SingleInstance holder("Zelmaro", dir.path());
    ::_exit(holder.PrevInstance() ? 1 : 0);  // no destructors: the lock file stays
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  ASSERT_TRUE(std::filesystem::exists(dir.File("Zelmaro.lock")));

  SingleInstance next("Zelmaro", dir.path());
  EXPECT_FALSE(next.PrevInstance());
  SingleInstance after("Zelmaro", dir.path());
  EXPECT_TRUE(after.PrevInstance());
}

TEST(SingleInstance, HandWrittenStaleLockFileIsTakenOver) {
  TempDir dir;
  pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);  // a pid that no longer runs
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  std::ofstream(dir.File("Zelmaro.lock")) << dead << "\nzelmaro\n" << host << "\n";
  SingleInstance next("Zelmaro", dir.path());
  EXPECT_FALSE(next.PrevInstance());
}

TEST(SingleInstance, UnusableLockDirectoryDoesNotClaimAnotherInstance) {
  TempDir dir;
  SingleInstance nowhere("Zelmaro", dir.File("missing/dir"));
  EXPECT_FALSE(nowhere.PrevInstance());
}
