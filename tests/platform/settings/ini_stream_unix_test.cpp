#include "platform/settings/ini_stream_unix.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include "support/temp_dir.h"

using platform::IniEscapeValue;
using platform::IniUnescapeValue;

namespace {

// The rewrite of text with Color set to the escaped value, through real descriptors.
std::string Rewrite(const std::string& text, const std::string& value) {
  TempDir dir;
  const std::string in = dir.Write("in", text);
  const int inFd = ::open(in.c_str(), O_RDONLY);
  const int outFd = ::open(dir.File("out").c_str(), O_WRONLY | O_CREAT, 0600);
  EXPECT_TRUE(platform::IniRewrite(inFd, outFd, "Zelmaro_Set", "Color", value));
  ::close(inFd);
  ::close(outFd);
  const int back = ::open(dir.File("out").c_str(), O_RDONLY);
  std::string out(text.size() + 4096, '\0');
  out.resize(static_cast<std::size_t>(::read(back, out.data(), out.size())));
  ::close(back);
  return out;
}

}  // namespace

TEST(IniStream, OnlyOurKeyChangesEverythingElseIsKeptByteForByte) {
  struct Case {
    std::string before, after;
  } cases[] = {
      {"", "[Zelmaro_Set]\nColor=4\n"},
      {"[A]\nx=1", "[A]\nx=1\n\n[Zelmaro_Set]\nColor=4\n"},
      {"[Zelmaro_Set]\nColor=1\n", "[Zelmaro_Set]\nColor=4\n"},
      {"[Zelmaro_Set]\r\nColor = 1\r\nOther=2\r\n\r\n[B]\r\nColor=9\r\n",
       "[Zelmaro_Set]\r\nColor=4\nOther=2\r\n\r\n[B]\r\nColor=9\r\n"},
      {"[Zelmaro_Set]\nSize=3\n\n\n[B]\ny=2\n", "[Zelmaro_Set]\nSize=3\nColor=4\n\n\n[B]\ny=2\n"},
      {"[Zelmaro_Set]\nColor=1\n[B]\n[Zelmaro_Set]\nColor=2\nz=1\n", "[Zelmaro_Set]\nColor=4\n[B]\n[Zelmaro_Set]\nz=1\n"},
      {"; comment\n[Zelmaro_Set]\nColor=\"1, 2\"\\\n", "; comment\n[Zelmaro_Set]\nColor=4\n"},
      {"[B]\n" + std::string(200000, 'x') + "\n[Zelmaro_Set]\nColor=" + std::string(100000, '7') + "\n",
       "[B]\n" + std::string(200000, 'x') + "\n[Zelmaro_Set]\nColor=4\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Rewrite(c.before, "4"), c.after) << c.before.substr(0, 80);
}

TEST(IniStream, ValuesRoundTripInTheSharedDialect) {
  const std::string values[] = {"0", "", "a, b; =c", " padded ", "quote\"back\\slash", "@at", "@@x",
                                "tab\tnew\nline\r", "ünïcode"};
  for (const std::string& v : values) {
    const auto escaped = IniEscapeValue(v);
    ASSERT_TRUE(escaped) << v;
    EXPECT_EQ(IniUnescapeValue(*escaped), v) << *escaped;
  }
  EXPECT_FALSE(IniEscapeValue(std::string("nul\0", 4)));
  EXPECT_EQ(IniUnescapeValue("  6  "), "6");
  EXPECT_EQ(IniUnescapeValue("\"6\""), "6");
  EXPECT_EQ(IniUnescapeValue("\\x41\\102"), "AB");
  EXPECT_FALSE(IniUnescapeValue("1, 2"));
  EXPECT_FALSE(IniUnescapeValue("@Variant(\\0\\0\\0\\x2)"));
  EXPECT_FALSE(IniUnescapeValue("trailing\\"));
  EXPECT_FALSE(IniUnescapeValue(std::string(platform::kMaxIniValueBytes + 1, '1')));
}
