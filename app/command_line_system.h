// What the command line says differently per system: the usage text, and the name and
// timing of the entry that has the system start the program at sign-in (on Linux a desktop
// entry in the autostart folder, on Windows a value of the user's Run key).
#pragma once

#include <string>

std::string UsageText();

// The system's own way of asking a program for its help, beside -h and --help ("/?" on
// Windows; none on Linux).
bool IsSystemHelpSwitch(const std::string& arg);

// When an autostart entry starts the program, for the messages ("with the desktop session").
extern const char* const kAutostartWhen;

// The name of the program's autostart entry in its place (platform::AutostartFolder).
extern const char* const kAutostartEntryName;
