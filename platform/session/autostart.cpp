// The text of a desktop entry's values, the same whatever system writes the entry.
#include "platform/session/autostart.h"

namespace platform {

namespace {

// The string escapes of a desktop entry value.
std::string EscapeString(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  if (!out.empty() && out[0] == ' ') out.replace(0, 1, "\\s");
  return out;
}

}  // namespace

std::string DesktopExecArgument(const std::string& argument) {
  // Characters that make an Exec argument need quotes; inside quotes ", `, $ and \ take a
  // backslash, and a literal % is written %% everywhere.
  static constexpr const char* kReserved = " \t\n\"'\\><~|&;$*?#()`";
  const bool quote = argument.empty() || argument.find_first_of(kReserved) != std::string::npos;
  std::string exec;
  for (const char c : argument) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) exec += '\\';
    exec += c;
    if (c == '%') exec += '%';
  }
  return EscapeString(quote ? "\"" + exec + "\"" : exec);
}

std::string DesktopStringValue(const std::string& text) { return EscapeString(text); }

}  // namespace platform
