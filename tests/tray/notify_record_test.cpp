#include "tray/notify_record.h"

#include <gtest/gtest.h>

namespace {

TEST(ClassifyTrayCallback, OnlyTheTwoExactValuesAct) {
  EXPECT_EQ(tray::ClassifyTrayCallback(515.0f), tray::TrayCallback::Open);
  EXPECT_EQ(tray::ClassifyTrayCallback(517.0f), tray::TrayCallback::Menu);
  for (float x : {0.0f, 512.0f, 513.0f, 514.0f, 516.0f, 518.0f, 515.5f, 516.99f, 517.01f, -515.0f})
    EXPECT_EQ(tray::ClassifyTrayCallback(x), tray::TrayCallback::None) << x;
}

}  // namespace
