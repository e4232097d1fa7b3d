#include "window/form_controls.h"

#include <gtest/gtest.h>

#include <string>

#include "support/qt_app.h"

namespace {

using window::Form1Controls;

const window::ColourEntries kColours{{"Blue", "Cyan", "Green", "Purple", "Red", "White", "Yellow"}, 2};

class FormControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_qt::EnsureQtApp();
    c = window::CreateForm1Controls(kColours);
  }
  std::unique_ptr<Form1Controls> c;
};

std::string Text(const QLabel* l) { return l->text().toStdString(); }

TEST_F(FormControlsTest, WindowTitleSizeAndIcon) {
  EXPECT_EQ(c->form->windowTitle().toStdString(), "Dual Core CPU Usage - Average and Current");
  EXPECT_EQ(c->form->size(), QSize(432, 191));
  EXPECT_EQ(c->form->minimumSize(), c->form->maximumSize());  // never resized
  EXPECT_NE(c->windowIcon, 0u);
  EXPECT_FALSE(c->form->windowIcon().isNull());
  EXPECT_FALSE(c->form->isVisible());
}

TEST_F(FormControlsTest, LabelsAtTheirPlacesWithTheirCaptions) {
  const std::string heading = "CPU 0" + std::string(13, ' ') + "CPU 1";
  ASSERT_EQ(heading.size(), 23u);
  const struct {
    QLabel* label;
    QRect rect;
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
  for (const auto& k : cases) {
    EXPECT_EQ(k.label->parentWidget(), c->form) << k.caption;
    // Place and height as designed; a label may be wider where the desktop's font needs it,
    // and stand further left where the window's edge leaves no room.
    EXPECT_EQ(k.label->y(), k.rect.y()) << k.caption;
    EXPECT_LE(k.label->x(), k.rect.x()) << k.caption;
    if (k.label->x() < k.rect.x()) {
      EXPECT_EQ(k.label->geometry().right(), 430) << k.caption;
    }
    EXPECT_EQ(k.label->height(), k.rect.height()) << k.caption;
    EXPECT_GE(k.label->width(), k.rect.width()) << k.caption;
    EXPECT_LE(k.label->geometry().right(), 431) << k.caption;
    EXPECT_EQ(Text(k.label), k.caption);
    EXPECT_EQ(k.label->font().bold(), k.bold) << k.caption;
    EXPECT_DOUBLE_EQ(k.label->font().pointSizeF(), 8.25) << k.caption;
  }
}

TEST_F(FormControlsTest, ValueLabelsHoldTheWidestUsageTextUncut) {
  for (QLabel* l : {c->cpu0avg, c->cpu1avg, c->Label6, c->Label5}) {
    EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(QStringLiteral("100.00 %")));
  }
  EXPECT_GE(c->Label4->width(), c->Label4->fontMetrics().horizontalAdvance(c->Label4->text()));
}

TEST_F(FormControlsTest, ResetButtonFirstInTabOrder) {
  EXPECT_EQ(c->BtnReSet->geometry(), QRect(176, 21, 81, 33));
  EXPECT_EQ(c->BtnReSet->text().toStdString(), "Reset Avg");
  EXPECT_EQ(c->BtnReSet->toolTip().toStdString(), "Reset Average Usage");
  QWidget* first = c->form->nextInFocusChain();
  while (first != c->form && !(first->focusPolicy() & Qt::TabFocus)) first = first->nextInFocusChain();
  EXPECT_EQ(first, c->BtnReSet);
}

TEST_F(FormControlsTest, HiddenSurfacesAreNoWidgets) {
  int views = 0;
  for (QWidget* w : c->form->findChildren<QWidget*>()) {
    views += dynamic_cast<platform::SurfaceView*>(w) != nullptr;
    // Nothing shown lies outside the client area, where the hidden surfaces were placed.
    if (w->parentWidget() == c->form) {
      EXPECT_TRUE(QRect(0, 0, 432, 191).contains(w->geometry()));
    }
  }
  EXPECT_EQ(views, 2);  // the two graphs; the tray's surfaces and the scratch ones are not shown
}

TEST_F(FormControlsTest, PopupMenuItemsInOrderWithGreenAloneChecked) {
  EXPECT_EQ(c->mnuFile->title().toStdString(), "popup");
  const QList<QAction*> items = c->mnuFile->actions();
  ASSERT_EQ(items.size(), 12);
  const char* captions[] = {"Tray Icon Color", "Blue", "Cyan", "Green", "Purple", "Red",
                            "White", "Yellow", "", "Show Usage", "", "Exit Zelmaro"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(items[i]->text().toStdString(), captions[i]) << i;
  EXPECT_EQ(items[0], c->mnuSpacer00);
  EXPECT_FALSE(c->mnuSpacer00->isEnabled());
  EXPECT_FALSE(c->mnuSpacer00->isSeparator());
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(items[1 + i], c->mnuCOLOR[i]);
    EXPECT_TRUE(c->mnuCOLOR[i]->isCheckable());
    EXPECT_EQ(c->mnuCOLOR[i]->isChecked(), i == 2) << i;
  }
  EXPECT_EQ(items[8], c->mnuSpacer0);
  EXPECT_TRUE(c->mnuSpacer0->isSeparator());
  EXPECT_EQ(items[9], c->ShowAvgUsage);
  EXPECT_EQ(items[10], c->mnuSpacer1);
  EXPECT_TRUE(c->mnuSpacer1->isSeparator());
  EXPECT_EQ(items[11], c->mnuExit);
}

TEST_F(FormControlsTest, LayoutDoesNotMoveWithTheWindowState) {
  const QRect button = c->BtnReSet->geometry();
  const QRect graph = c->pic1View[1]->geometry();
  c->form->show();
  c->form->SetWindowState(platform::FormWindow::kMinimized);
  c->form->SetWindowState(platform::FormWindow::kMaximized);
  c->form->SetWindowState(platform::FormWindow::kNormal);
  QApplication::processEvents();
  EXPECT_EQ(c->form->size(), QSize(432, 191));
  EXPECT_EQ(c->BtnReSet->geometry(), button);
  EXPECT_EQ(c->pic1View[1]->geometry(), graph);
  c->form->hide();
}

TEST(FormControlsLifetimeTest, DestroyingTheControlsFreesEveryGraphicsObject) {
  testing_qt::EnsureQtApp();
  const std::size_t live = gdi::LiveObjectCount();
  {
    auto c = window::CreateForm1Controls(kColours);
    EXPECT_GT(gdi::LiveObjectCount(), live);
  }
  EXPECT_EQ(gdi::LiveObjectCount(), live);
}

}  // namespace
