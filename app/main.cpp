// Zelmaro: a processor-usage meter that lives in the desktop's notification area.
#include <cstdio>

#include "app/command_line.h"
#include "app/form1.h"
#include "app/memory_release.h"
#include "platform/runtime/heap.h"
#include "platform/runtime/program_name.h"
#include "platform/session/session.h"
#include "platform/window_system/message_loop.h"

int main(int argc, char** argv) {
  // How the platform names the program where it writes for others: a settings lock's owner,
  // the display failure on standard error.
  const platform::ProgramName name{"Zelmaro", "zelmaro"};
  platform::SetProgramName(name);
  platform::LimitHeapArenas();
  if (const auto status = RunCommandLine(argc, argv)) return *status;  // an option did its work
  const std::string noDisplay = platform::PrepareDisplay();
  if (!noDisplay.empty()) {
    std::fprintf(stderr, "zelmaro: %s\n", noDisplay.c_str());
    return 1;
  }
  platform::BeginDisplayConnection();
  platform::MessageLoop loop(argc, argv, name.name);
  platform::EndDisplayConnection();
  KeepMemorySmall();

  Form1 form;
  // The end of the desktop session tears down like Exit, with its own close reason.
  platform::WatchSessionEnd([&form] { form.Close(Form1::kCloseBySessionEnd); });
  // A session manager that ends the session quits the message loop: tear down all the same.
  loop.SetEndHandler([&form] { form.Close(Form1::kCloseBySessionEnd); });
  form.Form_Load();
  if (form.Unloaded()) return form.ExitStatus();
  const int status = loop.Run();
  return form.Unloaded() ? form.ExitStatus() : status;
}
