// The notification area on the desktop's tray, as the program opens it, with a private
// session bus as the session's and a watcher of the test's own as the host.
#include <gtest/gtest.h>

#include <QDBusVariant>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/notification_area/notification_area.h"
#include "platform/window_system/form_window.h"
#include "platform/window_system/popup_menu.h"
#include "support/private_bus_unix.h"
#include "support/qt_app_unix.h"

namespace {

using namespace testing_bus;

class DesktopTrayOnPrivateBus : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_qt::EnsureQtApp();
    if (!bus_.Ok()) GTEST_SKIP() << "no dbus-daemon";
    host_ = bus_.Connect("host");
    ASSERT_TRUE(host_.isConnected());
    ASSERT_TRUE(host_.registerObject("/StatusNotifierWatcher", &watcher_,
                                     QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(host_.registerService("org.kde.StatusNotifierWatcher"));
    form_ = std::make_unique<platform::FormWindow>("Form", 100, 50);
    menu_ = std::make_unique<platform::PopupMenu>(*form_, "File");
    menu_->AddItem("Show Usage");
    // The private bus stands in for the session's while the tray is opened.
    const bool hadSession = qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS");
    const QByteArray session = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus_.Address().toUtf8());
    tray_ = platform::OpenDesktopTray(menu_.get(), "Two bars");
    if (hadSession) {
      qputenv("DBUS_SESSION_BUS_ADDRESS", session);
    } else {
      qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    tray_->SetRequestHandler([this](platform::NotificationArea::Request r) { requests_.push_back(r); });
    tray_->SetHostHandler([this](bool present) { presence_.push_back(present); });
  }
  QString ItemService() { return watcher_.items.isEmpty() ? QString() : watcher_.items.last(); }
  QDBusMessage Item(const QString& iface, const QString& method, const QVariantList& args) {
    const QString path = iface == "com.canonical.dbusmenu" ? "/MenuBar" : "/StatusNotifierItem";
    return Call(host_, ItemService(), path, iface, method, args);
  }
  QVariant ItemProperty(const QString& name) {
    const QDBusMessage r = Item("org.freedesktop.DBus.Properties", "Get", {"org.kde.StatusNotifierItem", name});
    return r.arguments().isEmpty() ? QVariant() : r.arguments()[0].value<QDBusVariant>().variant();
  }

  PrivateBus bus_;
  QDBusConnection host_{QString()};
  FakeWatcher watcher_;
  std::unique_ptr<platform::FormWindow> form_;
  std::unique_ptr<platform::PopupMenu> menu_;
  std::unique_ptr<platform::NotificationArea> tray_;
  platform::Picture picture_{32, 32, platform::Opaque(0x00FF00)};
  std::vector<platform::NotificationArea::Request> requests_;
  std::vector<bool> presence_;
};

TEST_F(DesktopTrayOnPrivateBus, ThePictureShowsWithItsMenuAndDescriptionWhileAHostIsThere) {
  EXPECT_FALSE(tray_->HostPresent());  // nothing added yet
  tray_->Show(picture_, "Tip text");
  ASSERT_TRUE(SpinUntil([&] { return !watcher_.items.isEmpty(); }));
  EXPECT_TRUE(tray_->HostPresent());
  EXPECT_EQ(presence_, std::vector<bool>{true});
  EXPECT_EQ(ItemProperty("Title").toString(), "Tip text");
  EXPECT_EQ(ItemProperty("IconAccessibleDesc").toString(), "Two bars");
  const QDBusMessage layout = Item("com.canonical.dbusmenu", "GetLayout", {0, -1, QStringList{"label"}});
  ASSERT_EQ(layout.type(), QDBusMessage::ReplyMessage);

  // The same pixels on every tick ask nothing of the host; new pixels announce one new icon.
  Counter icons, tips;
  host_.connect(ItemService(), "/StatusNotifierItem", "org.kde.StatusNotifierItem", "NewIcon", &icons, SLOT(Hit()));
  host_.connect(ItemService(), "/StatusNotifierItem", "org.kde.StatusNotifierItem", "NewToolTip", &tips, SLOT(Hit()));
  for (int i = 0; i < 10; ++i) tray_->Show(picture_, "Tip text");
  auto changed = picture_;
  changed.argb[500] = 0xFFFF0000u;
  tray_->Show(changed, "Tip text");
  ASSERT_TRUE(SpinUntil([&] { return icons.hits > 0; }));
  SpinUntil([] { return false; }, 500);  // let any stray signal arrive
  EXPECT_EQ(icons.hits, 1);
  EXPECT_EQ(tips.hits, 0);

  tray_->Remove();
  EXPECT_TRUE(SpinUntil([&] { return ItemProperty("Status").toString() == "Passive"; }));
  EXPECT_FALSE(tray_->HostPresent());
  EXPECT_EQ(presence_, (std::vector<bool>{true, false}));
}

TEST_F(DesktopTrayOnPrivateBus, HostGesturesBecomeRequestsOnceABurst) {
  tray_->Show(picture_, "Tip text");
  ASSERT_TRUE(SpinUntil([&] { return !watcher_.items.isEmpty(); }));
  Item("org.kde.StatusNotifierItem", "Activate", {0, 0});
  ASSERT_TRUE(SpinUntil([&] { return requests_.size() == 1; }));
  EXPECT_EQ(requests_[0], platform::NotificationArea::Request::Open);
  Item("org.kde.StatusNotifierItem", "SecondaryActivate", {0, 0});
  Item("org.kde.StatusNotifierItem", "Scroll", {120, "vertical"});
  Item("org.kde.StatusNotifierItem", "ContextMenu", {0, 0});
  ASSERT_TRUE(SpinUntil([&] { return requests_.size() == 2; }));
  EXPECT_EQ(requests_[1], platform::NotificationArea::Request::Menu);

  // A burst of activations sent without waiting: one request.
  requests_.clear();
  for (int i = 0; i < 30; ++i) {
    QDBusMessage msg = QDBusMessage::createMethodCall(ItemService(), "/StatusNotifierItem",
                                                      "org.kde.StatusNotifierItem", "Activate");
    msg << 0 << 0;
    host_.asyncCall(msg);
  }
  SpinUntil([] { return false; });
  ASSERT_FALSE(requests_.empty());
  EXPECT_EQ(requests_[0], platform::NotificationArea::Request::Open);
  EXPECT_LE(requests_.size(), 2u);  // a stall of the loaded machine may split the burst once

  // Once deleted, the icon reports nothing.
  tray_->Remove();
  requests_.clear();
  Item("org.kde.StatusNotifierItem", "Activate", {0, 0});
  SpinUntil([] { return false; }, 500);
  EXPECT_TRUE(requests_.empty());
}

}  // namespace
