#include "platform/single_instance/single_instance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <vector>

#include <QCoreApplication>

#include "support/temp_dir.h"
#include "support/wait_child_unix.h"
#include "support/qt_app_unix.h"

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
  ASSERT_EQ(WaitChild(child, &status), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  ASSERT_TRUE(std::filesystem::exists(dir.File("Zelmaro.lock")));

  SingleInstance next("Zelmaro", dir.path());
  EXPECT_FALSE(next.PrevInstance());
  SingleInstance after("Zelmaro", dir.path());
  EXPECT_TRUE(after.PrevInstance());
}

// What a kill at the worst moment leaves (the file created, nothing or half of it written), or
// another program's file under the same name: none of it keeps a start out.
TEST(SingleInstance, WhateverADeadOwnerLeftInTheFileNeverLocksAStartOut) {
  const std::string leftovers[] = {"", "\n", "12", "garbage\0\xff", "1\nzelmaro\nhost\n",
                                  "999999999\nZelmaro\nnowhere\nid\n0\n"};
  for (const std::string& contents : leftovers) {
    TempDir dir;
    dir.Write("Zelmaro.lock", contents);
    SingleInstance next("Zelmaro", dir.path());
    EXPECT_FALSE(next.PrevInstance()) << contents;
    SingleInstance second("Zelmaro", dir.path());
    EXPECT_TRUE(second.PrevInstance()) << contents;
  }
}

// Without a usable lock directory (missing, or read-only with no lock file yet) one copy runs
// and a second is still refused; the first copy's death frees the instance.
TEST(SingleInstance, AnUnusableLockDirectoryStillAllowsExactlyOneCopy) {
  testing_qt::EnsureQtApp();
  TempDir dir;
  const std::string nowhere = dir.File("missing/dir");
  auto first = std::make_unique<SingleInstance>("Zelmaro", nowhere);
  EXPECT_FALSE(first->PrevInstance());
  EXPECT_FALSE(std::filesystem::exists(dir.File("missing")));
  // However many later starts ask (each leaves a connection to the name behind), all are refused.
  int refusedStarts = 0;
  for (int i = 0; i < 5000; ++i) {
    refusedStarts += SingleInstance("Zelmaro", nowhere).PrevInstance();
    if (i % 100 == 0) QCoreApplication::processEvents();
  }
  EXPECT_EQ(refusedStarts, 5000);
  first.reset();

  // A child holds the instance and is killed: the kernel drops its locks with it.
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SingleInstance holder("Zelmaro", nowhere);
    const char held = holder.PrevInstance() ? 'n' : 'y';
    if (::write(ready[1], &held, 1) != 1) ::_exit(1);
    ::pause();
    ::_exit(0);
  }
  char held = 0;
  ASSERT_EQ(::read(ready[0], &held, 1), 1);
  EXPECT_EQ(held, 'y');
  EXPECT_TRUE(SingleInstance("Zelmaro", nowhere).PrevInstance());
  ::kill(child, SIGKILL);
  WaitChild(child);
  SingleInstance next("Zelmaro", nowhere);
  EXPECT_FALSE(next.PrevInstance());
}

// Many copies started at the same moment, with a usable and with a missing lock directory:
// exactly one runs.
TEST(SingleInstance, SimultaneousStartsLetExactlyOneRun) {
  TempDir dir;
  for (const std::string& lockDir : {dir.path(), dir.File("missing")}) {
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < 40; ++i) {
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        ::close(go[1]);
        char c;
        if (::read(go[0], &c, 1) != 0) ::_exit(3);  // wait for the start signal (the pipe closing)
        SingleInstance copy("Zelmaro", lockDir);
        const bool refused = copy.PrevInstance();
        ::usleep(300000);  // keep what was taken while the others try
        ::_exit(refused ? 1 : 0);
      }
      children.push_back(child);
    }
    ::close(go[0]);
    ::close(go[1]);  // all start now
    int running = 0, refused = 0;
    for (const pid_t child : children) {
      int status = 0;
      ASSERT_EQ(WaitChild(child, &status), child);
      ASSERT_TRUE(WIFEXITED(status));
      running += WEXITSTATUS(status) == 0;
      refused += WEXITSTATUS(status) == 1;
    }
    EXPECT_EQ(running, 1) << lockDir;
    EXPECT_EQ(refused, 39) << lockDir;
  }
}
