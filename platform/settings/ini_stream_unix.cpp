#include "platform/settings/ini_stream_unix.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace platform {

namespace {

// Only the start of a line decides what it is; the rest of a long line streams through.
constexpr std::size_t kLineHead = kMaxIniValueBytes + 4096;
constexpr std::size_t kChunk = 64 * 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

enum class LineKind { Other, Header, Entry };

struct Line {
  LineKind kind = LineKind::Other;
  std::string_view name;   // section of a header, key of an entry
  std::string_view value;  // raw text after '=' of an entry
  bool valueWhole = false;
};

// whole: the head is the complete line (without its newline).
Line Classify(std::string_view head, bool whole) {
  Line line;
  std::string_view s = Trim(head);
  if (s.empty() || s.front() == ';' || s.front() == '#') return line;
  if (s.front() == '[') {
    line.kind = LineKind::Header;
    const std::size_t close = s.find(']');
    // A header too long to see whole is no section of ours: an empty name stands for it.
    if (close != std::string_view::npos) line.name = Trim(s.substr(1, close - 1));
    return line;
  }
  const std::size_t eq = s.find('=');
  if (eq == std::string_view::npos) return line;
  line.kind = LineKind::Entry;
  line.name = Trim(s.substr(0, eq));
  line.value = s.substr(eq + 1);
  line.valueWhole = whole;  // a value longer than any of ours is not readable as one
  return line;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    if (cp > 0xFFFF) cp = 0xFFFD;
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a file in chunks and hands each line's head to classify(); the line's bytes go to
// copy() when it asks for them (all of them, whatever the line's length), otherwise nowhere.
template <typename Decide, typename Copy>
bool ForEachLine(int fd, Decide decide, Copy copy) {
  if (fd < 0) return true;
  std::string chunk(kChunk, '\0');
  std::string head;
  head.reserve(kLineHead);
  bool decided = false, keep = false;
  for (;;) {
    ssize_t n = ::read(fd, chunk.data(), chunk.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    std::string_view data(chunk.data(), static_cast<std::size_t>(n));
    while (!data.empty()) {
      const std::size_t eol = data.find('\n');
      const std::string_view piece = data.substr(0, eol);
      if (!decided) {
        const std::size_t room = kLineHead - head.size();
        head.append(piece.substr(0, room));
        const bool full = head.size() >= kLineHead;
        if (eol != std::string_view::npos || full) {
          keep = decide(head, eol != std::string_view::npos && piece.size() <= room);
          decided = true;
          if (keep && !copy(head)) return false;
          if (keep && piece.size() > room && !copy(piece.substr(room))) return false;
        }
      } else if (keep && !copy(piece)) {
        return false;
      }
      if (eol == std::string_view::npos) break;
      if (keep && !copy("\n")) return false;
      data.remove_prefix(eol + 1);
      head.clear();
      decided = keep = false;
    }
  }
  if (!decided && !head.empty()) {  // a last line without a newline
    keep = decide(head, true);
    if (keep && !copy(head)) return false;
  }
  return true;
}

// Buffered writes to a descriptor.
class Writer {
 public:
  explicit Writer(int fd) : fd_(fd) { buffer_.reserve(kChunk); }
  bool Put(std::string_view s) {
    if (buffer_.size() + s.size() > kChunk && !Flush()) return false;
    if (s.size() >= kChunk) return WriteAll(s);
    buffer_.append(s);
    if (!s.empty()) last_ = s.back(), any_ = true;
    return true;
  }
  bool Flush() {
    const bool ok = WriteAll(buffer_);
    buffer_.clear();
    return ok;
  }
  char Last() const { return last_; }
  bool Empty() const { return !any_; }

 private:
  bool WriteAll(std::string_view s) {
    if (!s.empty()) last_ = s.back(), any_ = true;
    while (!s.empty()) {
      const ssize_t n = ::write(fd_, s.data(), s.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      s.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }
  int fd_;
  std::string buffer_;
  char last_ = 0;
  bool any_ = false;
};

}  // namespace

std::optional<std::string> IniUnescapeValue(std::string_view raw) {
  std::string_view s = Trim(raw);
  std::string out;
  bool quoted = false;
  std::size_t trimTo = 0;  // unquoted trailing blanks are not part of the value
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (out.size() > kMaxIniValueBytes) return std::nullopt;
    if (c == '"') {
      quoted = !quoted;
      trimTo = out.size();
      continue;
    }
    if (!quoted && (c == ',' || c == ';')) return std::nullopt;  // a list, not one text
    if (c != '\\') {
      out += c;
      if (quoted || !IsBlank(c)) trimTo = out.size();
      continue;
    }
    if (++i == s.size()) return std::nullopt;  // a lone backslash at the end
    const char e = s[i];
    switch (e) {
      case 'a': out += '\a'; break;
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'v': out += '\v'; break;
      case 'x': {
        std::uint32_t cp = 0;
        std::size_t digits = 0;
        while (i + 1 < s.size() && HexDigit(s[i + 1]) >= 0 && digits < 4) {
          cp = cp * 16 + static_cast<std::uint32_t>(HexDigit(s[++i]));
          ++digits;
        }
        if (digits == 0) return std::nullopt;
        AppendUtf8(out, cp);
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          std::uint32_t cp = static_cast<std::uint32_t>(e - '0');
          for (int d = 0; d < 2 && i + 1 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '7'; ++d)
            cp = cp * 8 + static_cast<std::uint32_t>(s[++i] - '0');
          AppendUtf8(out, cp);
        } else {
          out += e;  // \" \' \? \\ and anything else: the character itself
        }
    }
    trimTo = out.size();
  }
  out.resize(trimTo);
  if (out.size() > kMaxIniValueBytes) return std::nullopt;
  if (out.size() >= 2 && out[0] == '@' && out[1] == '@') return out.substr(1);
  if (!out.empty() && out[0] == '@' && out.back() == ')') return std::nullopt;  // a typed value
  return out;
}

std::optional<std::string> IniEscapeValue(std::string_view value) {
  std::string body;
  bool quote = value.empty() ? false : (IsBlank(value.front()) || IsBlank(value.back()));
  for (const char c : value) {
    switch (c) {
      case '"': body += "\\\""; break;
      case '\\': body += "\\\\"; break;
      case '\n': body += "\\n"; break;
      case '\r': body += "\\r"; break;
      case '\t': body += "\\t"; break;
      case ',': case ';': case '=': body += c; quote = true; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::nullopt;
        body += c;
    }
  }
  if (!body.empty() && body[0] == '@') body.insert(0, 1, '@');
  return quote ? "\"" + body + "\"" : body;
}

std::optional<std::string> IniReadValue(int fd, std::string_view section, std::string_view key) {
  bool inSection = false;
  std::optional<std::string> found;
  const bool ok = ForEachLine(
      fd,
      [&](std::string_view head, bool whole) {
        const Line line = Classify(head, whole);
        if (line.kind == LineKind::Header) inSection = line.name == section;
        if (inSection && line.kind == LineKind::Entry && line.name == key)
          found = line.valueWhole ? IniUnescapeValue(line.value) : std::nullopt;
        return false;
      },
      [](std::string_view) { return true; });
  return ok ? found : std::nullopt;
}

bool IniRewrite(int inFd, int outFd, std::string_view section, std::string_view key,
                std::string_view escapedValue) {
  Writer out(outFd);
  const std::string entry = std::string(key) + "=" + std::string(escapedValue) + "\n";
  enum class Where { Before, FirstBlock, After } where = Where::Before;
  bool inSection = false, written = false, failed = false;
  std::size_t heldBlankLines = 0;  // empty lines at the end of the first block so far
  auto flushBlanks = [&] {
    for (; heldBlankLines > 0; --heldBlankLines) failed |= !out.Put("\n");
  };
  auto writeEntry = [&] {
    if (out.Last() != '\n' && !out.Empty()) failed |= !out.Put("\n");
    failed |= !out.Put(entry);
    written = true;
  };
  const bool ok = ForEachLine(
      inFd,
      [&](std::string_view head, bool whole) {
        const Line line = Classify(head, whole);
        if (line.kind == LineKind::Header) {
          if (where == Where::FirstBlock) {
            if (!written) writeEntry();
            where = Where::After;
          }
          flushBlanks();
          inSection = line.name == section;
          if (inSection && where == Where::Before) where = Where::FirstBlock;
          return true;
        }
        if (inSection && line.kind == LineKind::Entry && line.name == key) {
          if (where == Where::FirstBlock && !written) {
            flushBlanks();
            writeEntry();
          }
          return false;  // the old entry, or a later duplicate
        }
        if (where == Where::FirstBlock && whole && head.empty()) {
          ++heldBlankLines;
          return false;
        }
        flushBlanks();
        return true;
      },
      [&](std::string_view bytes) { return out.Put(bytes); });
  if (!ok || failed) return false;
  if (where == Where::FirstBlock && !written) writeEntry();
  if (where == Where::Before) {
    if (!out.Empty() && out.Last() != '\n') failed |= !out.Put("\n");
    if (!out.Empty()) failed |= !out.Put("\n");
    failed |= !out.Put("[") || !out.Put(section) || !out.Put("]\n");
    writeEntry();
  }
  flushBlanks();
  return !failed && out.Flush();
}

}  // namespace platform
