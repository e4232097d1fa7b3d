// The settings file's dialect on any input: a value read from any text is bounded; any value
// that can be written reads back the same; rewriting any file sets our key and reads back.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/settings/ini_stream_unix.h"

namespace {

int MemFile(std::string_view contents) {
  const int fd = ::memfd_create("ini", MFD_CLOEXEC);
  if (fd < 0 || ::write(fd, contents.data(), contents.size()) != static_cast<ssize_t>(contents.size()))
    std::abort();
  ::lseek(fd, 0, SEEK_SET);
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto v = platform::IniUnescapeValue(text); v && v->size() > platform::kMaxIniValueBytes)
    std::abort();
  // The input as a value: escaped, it reads back unchanged.
  const auto escaped = platform::IniEscapeValue(text);
  if (escaped && text.size() <= platform::kMaxIniValueBytes && platform::IniUnescapeValue(*escaped) != text)
    std::abort();
  // The input as a whole file: read, then rewritten with our key, which then reads back.
  const int in = MemFile(text);
  platform::IniReadValue(in, "Zelmaro_Set", "Color");
  ::lseek(in, 0, SEEK_SET);
  const int out = ::memfd_create("out", MFD_CLOEXEC);
  if (!platform::IniRewrite(in, out, "Zelmaro_Set", "Color", "5")) std::abort();
  ::lseek(out, 0, SEEK_SET);
  if (platform::IniReadValue(out, "Zelmaro_Set", "Color") != "5") std::abort();
  ::close(in);
  ::close(out);
  return 0;
}
