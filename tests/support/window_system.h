// The window system's connection for tests that meet the program's controls, on either
// system: made on first use and never destroyed (torn down after the toolkit's own globals at
// exit, it would crash there).
#pragma once

#include "platform/window_system/message_loop.h"

namespace testing_ws {

inline void EnsureWindowSystem() {
  static int argc = 1;
  static char name[] = "zelmaro-tests";
  static char* argv[] = {name, nullptr};
  static platform::MessageLoop* loop = new platform::MessageLoop(argc, argv, name);
  (void)loop;
}

}  // namespace testing_ws
