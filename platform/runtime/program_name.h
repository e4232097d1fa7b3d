// How the running program names itself where platform services write for others to read: its
// name (the owner line of a settings lock) and its command (the first word of a line on
// standard error). Given once at start, before any other thread runs; empty until then.
#pragma once

#include <string>

namespace platform {

struct ProgramName {
  std::string name;
  std::string command;
};

void SetProgramName(ProgramName name);
const ProgramName& RunningProgramName();

}  // namespace platform
