#include "platform/performance_data/proc_stat_unix.h"

#include <charconv>

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view SkipBlanks(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return s.substr(i);
}

// Parses one unsigned decimal field at the start of s (after blanks); advances s past it.
bool NextField(std::string_view& s, std::uint64_t& value) {
  s = SkipBlanks(s);
  const char* begin = s.data();
  const char* end = s.data() + s.size();
  auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || (ptr != end && !IsBlank(*ptr) && *ptr != '\r')) return false;
  s.remove_prefix(static_cast<std::size_t>(ptr - begin));
  return true;
}

// Parses the part of a "cpuN" line after "cpu"; false if the line is not well formed.
bool ParseCpuLine(std::string_view rest, std::size_t& index, CpuTimes& t) {
  std::size_t digits = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
  if (digits == 0 || digits == rest.size() || !IsBlank(rest[digits])) return false;
  std::uint64_t n = 0;
  auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + digits, n);
  if (ec != std::errc() || n >= kMaxProcessors) return false;
  index = static_cast<std::size_t>(n);
  rest.remove_prefix(digits);

  std::uint64_t* fields[] = {&t.user, &t.nice,    &t.system,  &t.idle,
                             &t.iowait, &t.irq, &t.softirq, &t.steal};
  std::size_t count = 0;
  for (;;) {
    rest = SkipBlanks(rest);
    if (rest.empty() || rest == "\r") break;
    std::uint64_t v = 0;
    if (!NextField(rest, v)) return false;
    if (count < std::size(fields)) *fields[count] = v;
    ++count;
  }
  if (count < 4) return false;
  t.present = true;
  return true;
}

// Memory kept between reads: the size of the usual file, not of the largest one ever read.
template <typename Container>
void GiveBackExcess(Container& c, std::size_t floor) {
  if (c.capacity() > floor && c.capacity() > 4 * c.size()) c.shrink_to_fit();
}

}  // namespace

std::size_t ParseProcStat(std::string_view text, std::vector<CpuTimes>& cpus) {
  for (auto& c : cpus) c = CpuTimes{};
  std::size_t highest = 0;  // one past the highest processor present
  std::size_t present = 0;
  while (!text.empty()) {
    std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (line.size() < 4 || line.compare(0, 3, "cpu") != 0) continue;
    std::size_t index = 0;
    CpuTimes t;
    if (!ParseCpuLine(line.substr(3), index, t)) continue;
    if (index >= cpus.size()) cpus.resize(index + 1);
    if (!cpus[index].present) ++present;
    cpus[index] = t;
    if (index + 1 > highest) highest = index + 1;
  }
  cpus.resize(highest);
  GiveBackExcess(cpus, 64);
  return present;
}

}  // namespace platform
