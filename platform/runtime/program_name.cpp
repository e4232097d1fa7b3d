#include "platform/runtime/program_name.h"

namespace platform {

namespace {

ProgramName& Stored() {
  static ProgramName name;
  return name;
}

}  // namespace

void SetProgramName(ProgramName name) { Stored() = std::move(name); }

const ProgramName& RunningProgramName() { return Stored(); }

}  // namespace platform
