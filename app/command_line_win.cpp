#include "app/command_line_system.h"

// The same value name as the installer's "Start Zelmaro at sign-in", so either undoes the other.
const char* const kAutostartWhen = "at sign-in";
const char* const kAutostartEntryName = "Zelmaro";

std::string UsageText() {
  return "Usage: zelmaro.exe\n"
         "       zelmaro.exe --autostart on|off\n"
         "       zelmaro.exe --help | --version\n"
         "\n"
         "Shows how busy processors 0 and 1 are, as two bars in the notification area of\n"
         "the taskbar. Without options it starts and stays in the notification area.\n"
         "\n"
         "Options:\n"
         "  --autostart on   start Zelmaro at sign-in from now on\n"
         "  --autostart off  no longer start it at sign-in\n"
         "  -h, --help, /?   print this help and exit\n"
         "  --version        print the version and exit\n";
}

bool IsSystemHelpSwitch(const std::string& arg) { return arg == "/?"; }
