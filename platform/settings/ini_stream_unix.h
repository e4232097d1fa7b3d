// INI files read and rewritten as a stream, a line at a time, in memory bounded whatever the
// file's size: only one section's key is looked at or replaced; every other byte of the file is
// copied as it is. Values are written and read in the toolkit's INI dialect (quoting and
// backslash escapes), so files shared with other programs stay readable by them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Values longer than this are not ours to read (ours are a few characters).
inline constexpr std::size_t kMaxIniValueBytes = 4096;

// The text of a stored value as it appears after "key=": surrounding blanks dropped, quoted
// parts unquoted, escapes resolved. Nothing when it is not one plain text (a list, a typed
// "@..." value, a broken escape or quote, or longer than kMaxIniValueBytes).
std::optional<std::string> IniUnescapeValue(std::string_view raw);
// The value as written after "key=": quoted and escaped where needed. Nothing for texts the
// dialect cannot hold on one line (control characters other than tab, newline and return).
std::optional<std::string> IniEscapeValue(std::string_view value);

// The value of key in [section] of the file open on fd (the last one wins), or nothing.
std::optional<std::string> IniReadValue(int fd, std::string_view section, std::string_view key);

// Copies the file on inFd (-1: no file) to outFd with key in [section] set to the already
// escaped value: the first entry of the key is replaced, later ones dropped; a missing key is
// added at the end of the section's first block, a missing section at the end of the file.
// False on a read or write error (errno tells which).
bool IniRewrite(int inFd, int outFd, std::string_view section, std::string_view key,
                std::string_view escapedValue);

}  // namespace platform
