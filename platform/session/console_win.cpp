#include "platform/session/console.h"

#include <windows.h>

#include <cstdio>

namespace platform {

namespace {

// A handle the parent gave for the stream (a file, a pipe, its console), which the C library
// already writes to.
bool Given(DWORD which) {
  const HANDLE handle = ::GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void UseParentConsole() {
  const bool out = Given(STD_OUTPUT_HANDLE), err = Given(STD_ERROR_HANDLE);
  if (out && err) return;
  // Started from a console without redirection: the streams go nowhere until joined to it.
  if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!out && std::freopen("CONOUT$", "w", stdout) != nullptr) std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
  if (!err && std::freopen("CONOUT$", "w", stderr) != nullptr) std::setvbuf(stderr, nullptr, _IONBF, 0);
}

}  // namespace platform
