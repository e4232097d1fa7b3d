// The popup menu as the tray icon's menu: its items as entries, followed as they change.
#include "platform/notification_area/popup_menu_mirror_unix.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>
#include <memory>

#include "platform/tray_host/tray_menu.h"
#include "platform/window_system/form_window.h"
#include "platform/window_system/popup_menu.h"
#include "support/qt_app_unix.h"

TEST(PopupMenuMirror, EntriesFollowTheItemsAndChoosingOneClicksIt) {
  testing_qt::EnsureQtApp();
  platform::FormWindow form("Form", 100, 50);
  auto menu = std::make_unique<platform::PopupMenu>(form, "File");
  platform::MenuItem* show = menu->AddItem("&Show Usage");
  menu->AddSeparator();
  platform::MenuItem* red = menu->AddItem("Red");
  red->SetCheckable(true);
  int redClicks = 0;
  red->SetClickHandler([&] {
    ++redClicks;
    red->SetChecked(true);  // the handler sets the marks, as the program's do
  });
  QPointer<platform::TrayMenu> tray = platform::MirrorPopupMenu(*menu);
  ASSERT_TRUE(tray);
  auto entries = [&] { return tray->Entries(); };
  ASSERT_EQ(entries().size(), 3u);
  EXPECT_EQ(entries()[0].caption, "&Show Usage");
  EXPECT_TRUE(entries()[1].separator);
  EXPECT_TRUE(entries()[2].checkable);
  EXPECT_FALSE(entries()[2].checked);
  const int redId = entries()[2].id;

  // Changes and new items reach the entries at once; ids stay.
  show->SetEnabled(false);
  menu->AddItem("Exit");
  ASSERT_EQ(entries().size(), 4u);
  EXPECT_FALSE(entries()[0].enabled);
  EXPECT_EQ(entries()[3].caption, "Exit");
  EXPECT_EQ(entries()[2].id, redId);

  // Choosing the entry clicks the item: its handler runs and the mark shows in the entries.
  const auto activate = tray->Find(redId)->activate;
  activate();
  EXPECT_EQ(redClicks, 1);
  EXPECT_TRUE(tray->Find(redId)->checked);

  menu.reset();
  EXPECT_FALSE(tray);
}
