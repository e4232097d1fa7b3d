#include "platform/session/console.h"

#include <cstdio>

namespace platform {

namespace {

bool Write(std::FILE* stream, const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size() && std::fflush(stream) == 0;
}

}  // namespace

void UseParentConsole() {}  // the terminal's streams are the process's own

bool WriteStandardOutput(const std::string& text) { return Write(stdout, text); }
bool WriteStandardError(const std::string& text) { return Write(stderr, text); }

}  // namespace platform
