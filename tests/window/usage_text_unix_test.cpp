#include "window/usage_text.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <clocale>
#include <string>


namespace {

class UsageTextTest : public ::testing::Test {
 protected:
  void SetUp() override { QLocale::setDefault(QLocale::c()); }
  void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

TEST_F(UsageTextTest, PatternWithoutLeadingZerosAndTwoDecimals) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0, ".00 %"},         {0.5, ".50 %"},        {7, "7.00 %"},       {12.5, "12.50 %"},
      {100, "100.00 %"},    {0.004, ".00 %"},      {9.999, "10.00 %"},  {33.333333, "33.33 %"},
      {66.666666, "66.67 %"}, {1234.5, "1234.50 %"}, {0.1 + 0.2, ".30 %"},
  };
  for (const auto& c : cases) EXPECT_EQ(window::UsageText(c.value), c.text) << c.value;
}

TEST_F(UsageTextTest, HalvesRoundAwayFromZeroAsTheirDecimalTextReads) {
  // 0.005 and 99.995 have no exact binary form; the stored doubles lie on either side of
  // the half, yet both round up as written.
  EXPECT_EQ(window::UsageText(0.005), ".01 %");
  EXPECT_EQ(window::UsageText(99.995), "100.00 %");
  EXPECT_EQ(window::UsageText(12.345), "12.35 %");
  EXPECT_EQ(window::UsageText(1.125), "1.13 %");
  EXPECT_EQ(window::UsageText(0.0049999), ".00 %");
}

TEST_F(UsageTextTest, UsesTheLocaleDecimalSeparatorWhateverTheCLibraryLocale) {
  // The toolkit sets the C library's locale from the environment; digits and rounding must
  // not follow it, only the decimal mark follows the toolkit's locale. A comma-decimal C
  // locale is tried when the system has one.
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  for (const char* c : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "C"}) {
    if (std::setlocale(LC_ALL, c) == nullptr) continue;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(window::UsageText(12.5), "12,50 %") << c;
    EXPECT_EQ(window::UsageText(100), "100,00 %") << c;
    EXPECT_EQ(window::UsageText(0), ",00 %") << c;
    EXPECT_EQ(window::UsageText(99.995), "100,00 %") << c;
    EXPECT_EQ(window::UsageText(1234.5), "1234,50 %") << c;  // no group separator
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(window::UsageText(12.5), "12.50 %") << c;
    EXPECT_EQ(window::UsageText(0.005), ".01 %") << c;
  }
  std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
