#include "window/usage_text.h"

#include <gtest/gtest.h>


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
  for (const auto& c : cases) EXPECT_EQ(window::UsageText(c.value).toStdString(), c.text) << c.value;
}

TEST_F(UsageTextTest, HalvesRoundAwayFromZeroAsTheirDecimalTextReads) {
  // 0.005 and 99.995 have no exact binary form; the stored doubles lie on either side of
  // the half, yet both round up as written.
  EXPECT_EQ(window::UsageText(0.005).toStdString(), ".01 %");
  EXPECT_EQ(window::UsageText(99.995).toStdString(), "100.00 %");
  EXPECT_EQ(window::UsageText(12.345).toStdString(), "12.35 %");
  EXPECT_EQ(window::UsageText(1.125).toStdString(), "1.13 %");
  EXPECT_EQ(window::UsageText(0.0049999).toStdString(), ".00 %");
}

TEST_F(UsageTextTest, NegativeValuesKeepTheirSignUnlessTheyRoundToZero) {
  EXPECT_EQ(window::UsageText(-7.005).toStdString(), "-7.01 %");
  EXPECT_EQ(window::UsageText(-0.001).toStdString(), ".00 %");
}

TEST_F(UsageTextTest, UsesTheLocaleDecimalSeparator) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(window::UsageText(12.5).toStdString(), "12,50 %");
  EXPECT_EQ(window::UsageText(0).toStdString(), ",00 %");
  EXPECT_EQ(window::UsageText(1234.5).toStdString(), "1234,50 %");  // no group separator
}

}  // namespace
