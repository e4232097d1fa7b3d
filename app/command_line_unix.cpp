#include "app/command_line_system.h"

const char* const kAutostartWhen = "with the desktop session";
const char* const kAutostartEntryName = "zelmaro.desktop";

std::string UsageText() {
  return "Usage: zelmaro [toolkit options]\n"
         "       zelmaro --autostart on|off\n"
         "       zelmaro --help | --version\n"
         "\n"
         "Shows how busy processors 0 and 1 are, as two bars in the desktop's notification\n"
         "area. Without options it starts and stays in the notification area.\n"
         "\n"
         "Options:\n"
         "  --autostart on   start Zelmaro with the desktop session from now on\n"
         "  --autostart off  no longer start it with the desktop session\n"
         "  -h, --help       print this help and exit\n"
         "  --version        print the version and exit\n"
         "\n"
         "The toolkit's own options (-platform NAME, -display DISPLAY, -style STYLE, ...)\n"
         "are passed on to it. See zelmaro(1).\n";
}

bool IsSystemHelpSwitch(const std::string&) { return false; }
