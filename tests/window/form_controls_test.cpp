#include "window/form_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/window_system/message_loop.h"
#include "window/pictures.h"
#include "support/window_system.h"

namespace {

using window::Form1Controls;

const window::ColourEntries kColours{{"Blue", "Cyan", "Green", "Purple", "Red", "White", "Yellow"}, 2};

class FormControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_ws::EnsureWindowSystem();
    c = window::CreateForm1Controls(kColours);
  }
  std::unique_ptr<Form1Controls> c;
};

TEST_F(FormControlsTest, WindowTitleSizeAndIcon) {
  EXPECT_EQ(c->form->Title(), "Dual Core CPU Usage - Average and Current");
  EXPECT_EQ(c->form->Geometry().width, 432);
  EXPECT_EQ(c->form->Geometry().height, 191);
  EXPECT_EQ(c->windowIcon, window::WindowIconPicture());
  EXPECT_TRUE(c->form->HasIcon());
  EXPECT_FALSE(c->form->Visible());
}

TEST_F(FormControlsTest, LabelsAtTheirPlacesWithTheirCaptions) {
  const std::string heading = "CPU 0" + std::string(13, ' ') + "CPU 1";
  ASSERT_EQ(heading.size(), 23u);
  const struct {
    platform::Label* label;
    platform::Rect rect;
    std::string caption;
    bool bold;
  } cases[] = {
      {c->Label2, {53, 9, 55, 13}, "00:00:00", false},
      {c->Label4, {318, 9, 69, 13}, "Current Usage", false},
      {c->Label1, {18, 30, 125, 13}, heading, true},
      {c->Label3, {292, 30, 125, 13}, heading, true},
      {c->cpu0avg, {21, 48, 41, 13}, "0%", false},
      {c->cpu1avg, {107, 48, 41, 13}, "0%", false},
      {c->Label6, {293, 48, 41, 13}, "0%", false},
      {c->Label5, {380, 48, 41, 13}, "0%", false},
  };
  const std::vector<platform::Control*> onForm = c->form->Children();
  for (const auto& k : cases) {
    EXPECT_NE(std::find(onForm.begin(), onForm.end(), k.label), onForm.end()) << k.caption;
    // Place and height as designed; a label may be wider where the desktop's font needs it,
    // and stand further left where the window's edge leaves no room.
    const platform::Rect r = k.label->Geometry();
    EXPECT_EQ(r.y, k.rect.y) << k.caption;
    EXPECT_LE(r.x, k.rect.x) << k.caption;
    if (r.x < k.rect.x) {
      EXPECT_EQ(r.Right(), 430) << k.caption;
    }
    EXPECT_EQ(r.height, k.rect.height) << k.caption;
    EXPECT_GE(r.width, k.rect.width) << k.caption;
    EXPECT_LE(r.Right(), 431) << k.caption;
    EXPECT_EQ(k.label->Caption(), k.caption);
    EXPECT_EQ(k.label->GetFont().bold, k.bold) << k.caption;
    EXPECT_DOUBLE_EQ(k.label->GetFont().points, 8.25) << k.caption;
  }
}

TEST_F(FormControlsTest, ValueLabelsHoldTheWidestUsageTextUncut) {
  for (platform::Label* l : {c->cpu0avg, c->cpu1avg, c->Label6, c->Label5}) {
    EXPECT_GE(l->Geometry().width, l->TextWidth("100.00 %"));
  }
  EXPECT_GE(c->Label4->Geometry().width, c->Label4->TextWidth(c->Label4->Caption()));
}

TEST_F(FormControlsTest, ResetButtonFirstInTabOrder) {
  EXPECT_EQ(c->BtnReSet->Geometry(), (platform::Rect{176, 21, 81, 33}));
  EXPECT_EQ(c->BtnReSet->Caption(), "Reset Avg");
  EXPECT_EQ(c->BtnReSet->ToolTip(), "Reset Average Usage");
  // Controls take the focus in the order they were made; no other control takes it.
  ASSERT_FALSE(c->form->Children().empty());
  EXPECT_EQ(c->form->Children().front(), c->BtnReSet);
}

TEST_F(FormControlsTest, OnlyTheGraphsArePictureBoxes) {
  int boxes = 0;
  for (platform::Control* child : c->form->Children()) {
    boxes += dynamic_cast<platform::PictureBox*>(child) != nullptr;
    // Nothing shown lies outside the client area.
    EXPECT_TRUE((platform::Rect{0, 0, 432, 191}).Contains(child->Geometry()));
  }
  EXPECT_EQ(boxes, 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(c->pic1View[i]->Geometry(), (platform::Rect{10, window::kGraphTop[i], 405, 50}));
    // The inner strip lies on the graph's first 7 columns.
    ASSERT_EQ(c->pic1View[i]->Children().size(), 1u);
    EXPECT_EQ(c->pic1View[i]->Children()[0], c->Image1[1 + i]);
    EXPECT_EQ(c->Image1[1 + i]->Geometry(), (platform::Rect{0, 0, 7, 50}));
  }
  EXPECT_EQ(c->Image1[0]->Geometry(), (platform::Rect{414, 76, 8, 50}));
  EXPECT_EQ(c->Image1[3]->Geometry(), (platform::Rect{414, 132, 8, 50}));
}

TEST_F(FormControlsTest, PopupMenuItemsInOrderWithGreenAloneChecked) {
  EXPECT_EQ(c->mnuFile->Caption(), "popup");
  const auto& items = c->mnuFile->Items();
  ASSERT_EQ(items.size(), 12u);
  const char* captions[] = {"Tray Icon Color", "Blue", "Cyan", "Green", "Purple", "Red",
                            "White", "Yellow", "", "Show Usage", "", "Exit Zelmaro"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(items[i]->Caption(), captions[i]) << i;
  EXPECT_EQ(items[0].get(), c->mnuSpacer00);
  EXPECT_FALSE(c->mnuSpacer00->Enabled());
  EXPECT_FALSE(c->mnuSpacer00->IsSeparator());
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(items[1 + i].get(), c->mnuCOLOR[i]);
    EXPECT_TRUE(c->mnuCOLOR[i]->Checkable());
    EXPECT_EQ(c->mnuCOLOR[i]->Checked(), i == 2) << i;
  }
  EXPECT_EQ(items[8].get(), c->mnuSpacer0);
  EXPECT_TRUE(c->mnuSpacer0->IsSeparator());
  EXPECT_EQ(items[9].get(), c->ShowAvgUsage);
  EXPECT_EQ(items[10].get(), c->mnuSpacer1);
  EXPECT_TRUE(c->mnuSpacer1->IsSeparator());
  EXPECT_EQ(items[11].get(), c->mnuExit);
}

TEST_F(FormControlsTest, LayoutDoesNotMoveWithTheWindowState) {
  const platform::Rect button = c->BtnReSet->Geometry();
  const platform::Rect graph = c->pic1View[1]->Geometry();
  c->form->Show();
  c->form->SetWindowState(platform::FormWindow::kMinimized);
  c->form->SetWindowState(platform::FormWindow::kMaximized);
  c->form->SetWindowState(platform::FormWindow::kNormal);
  platform::ProcessPendingMessages();
  EXPECT_EQ(c->form->Geometry().width, 432);
  EXPECT_EQ(c->form->Geometry().height, 191);
  EXPECT_EQ(c->BtnReSet->Geometry(), button);
  EXPECT_EQ(c->pic1View[1]->Geometry(), graph);
  c->form->Hide();
}

}  // namespace
