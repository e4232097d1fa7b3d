// What the command line says and does differently per system: the usage text, and the entry
// that has the system start the program at sign-in (on Linux a desktop entry in the autostart
// folder, on Windows a value of the user's Run key holding the program's command line).
#pragma once

#include <string>

std::string UsageText();

// The system's own way of asking a program for its help, beside -h and --help ("/?" on
// Windows; none on Linux).
bool IsSystemHelpSwitch(const std::string& arg);

// When an autostart entry starts the program, for the messages ("with the desktop session").
extern const char* const kAutostartWhen;

// The name of the program's autostart entry in its place (platform::AutostartFolder), and its
// text for the program file at programPath.
extern const char* const kAutostartEntryName;
std::string AutostartEntryText(const std::string& programPath);
