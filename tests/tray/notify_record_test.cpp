#include "tray/notify_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(MakeNotifyData, FillsEveryFieldOfTheRecord) {
  const platform::NOTIFYICONDATAA d = tray::MakeNotifyData(0x1234, 77);
  EXPECT_EQ(d.cbSize, 88u);
  EXPECT_EQ(d.hWnd, 0x1234u);
  EXPECT_EQ(d.uID, 1u);
  EXPECT_EQ(d.uFlags, 7u);
  EXPECT_EQ(d.uCallbackMessage, 512u);
  EXPECT_EQ(d.hIcon, 77u);
}

TEST(MakeNotifyData, TipIsTextZeroThenSpacesToTheEnd) {
  const platform::NOTIFYICONDATAA d = tray::MakeNotifyData(1, 2);
  const std::string text = "Zelmaro by Quenlark";
  EXPECT_EQ(std::string(d.szTip, text.size()), text);
  EXPECT_EQ(d.szTip[text.size()], '\0');
  for (std::size_t i = text.size() + 1; i < sizeof d.szTip; ++i) EXPECT_EQ(d.szTip[i], ' ') << i;
}

TEST(MakeNotifyData, LittleEndianBytesAtTheRecordOffsets) {
  const platform::NOTIFYICONDATAA d = tray::MakeNotifyData(0x01020304, 0x0A0B0C0D);
  unsigned char bytes[88];
  std::memcpy(bytes, &d, sizeof bytes);
  EXPECT_EQ(bytes[0], 88);
  EXPECT_EQ(bytes[4], 0x04);
  EXPECT_EQ(bytes[7], 0x01);
  EXPECT_EQ(bytes[16], 0x00);
  EXPECT_EQ(bytes[17], 0x02);  // 512
  EXPECT_EQ(bytes[20], 0x0D);
  EXPECT_EQ(bytes[24], 'Z');
}

TEST(ClassifyTrayCallback, OnlyTheTwoExactValuesAct) {
  EXPECT_EQ(tray::ClassifyTrayCallback(515.0f), tray::TrayCallback::Open);
  EXPECT_EQ(tray::ClassifyTrayCallback(517.0f), tray::TrayCallback::Menu);
  for (float x : {0.0f, 512.0f, 513.0f, 514.0f, 516.0f, 518.0f, 515.5f, 516.99f, 517.01f, -515.0f})
    EXPECT_EQ(tray::ClassifyTrayCallback(x), tray::TrayCallback::None) << x;
}

}  // namespace
