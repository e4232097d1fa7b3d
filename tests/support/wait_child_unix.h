// Waiting for a test's forked child to end.
#pragma once

#include <sys/types.h>
#include <sys/wait.h>

#include <cerrno>

// waitpid that carries on when a signal interrupts it: once a QProcess has run in the test
// program, the toolkit's SIGCHLD handler (installed without SA_RESTART on some versions)
// interrupts the wait whenever any child ends. Returns waitpid's result.
inline pid_t WaitChild(pid_t pid, int* status = nullptr) {
  pid_t r;
  do r = ::waitpid(pid, status, 0);
  while (r < 0 && errno == EINTR);
  return r;
}
