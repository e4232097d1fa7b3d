// The tray host's D-Bus side: the menu model, and the icon as a StatusNotifierItem on a private
// session bus with a watcher of the test's own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/tray_host/dbus_menu_model.h"
#include "platform/tray_host/sni_item.h"
#include "platform/tray_host/sni_watcher.h"
#include "platform/tray_host/tray_icon.h"
#include "platform/tray_host/tray_menu.h"
#include "support/private_bus_unix.h"
#include "support/qt_app_unix.h"

namespace {

void EnsureApp() { testing_qt::EnsureQtApp(); }

using namespace testing_bus;

// A menu as a program keeps it: entries set again whenever one changes.
struct Menu {
  platform::TrayMenu menu;
  std::vector<platform::TrayMenuEntry> entries;
  int showRuns = 0, redRuns = 0, headingRuns = 0;
  Menu() {
    auto item = [](int id, const char* caption, std::function<void()> run = {}) {
      platform::TrayMenuEntry e;
      e.id = id;
      e.caption = caption;
      e.activate = std::move(run);
      return e;
    };
    auto separator = [](int id) {
      platform::TrayMenuEntry e;
      e.id = id;
      e.separator = true;
      return e;
    };
    entries = {item(1, "&Show Usage", [this] { ++showRuns; }), separator(2),
               item(3, "Tray Icon Color", [this] { ++headingRuns; }), item(4, "Red", [this] { ++redRuns; }),
               item(5, "Green"), separator(6), item(7, "Exit_Now && Then")};
    entries[2].enabled = false;
    entries[3].checkable = entries[4].checkable = true;
    entries[4].checked = true;
    Set();
  }
  void Set() { menu.SetEntries(entries); }
};

TEST(DBusMenuModel, LayoutCarriesLabelsChecksSeparatorsAndTheDisabledHeading) {
  EnsureApp();
  Menu m;
  platform::DBusMenuModel ex;
  ex.SetMenu(&m.menu);
  const platform::DBusMenuLayoutItem root = ex.Layout(0, -1, {});
  ASSERT_EQ(root.children.size(), 7);
  const auto& c = root.children;
  EXPECT_EQ(c[0].properties.value("label").toString(), "_Show Usage");
  EXPECT_EQ(c[1].properties.value("type").toString(), "separator");
  EXPECT_EQ(c[2].properties.value("label").toString(), "Tray Icon Color");
  EXPECT_FALSE(c[2].properties.value("enabled").toBool());
  EXPECT_EQ(c[3].properties.value("toggle-type").toString(), "checkmark");
  EXPECT_EQ(c[3].properties.value("toggle-state").toInt(), 0);
  EXPECT_EQ(c[4].properties.value("toggle-state").toInt(), 1);
  EXPECT_EQ(c[6].properties.value("label").toString(), "Exit__Now & Then");
  // Depth 0: the root alone; a property filter keeps only what is asked.
  EXPECT_TRUE(ex.Layout(0, 0, {}).children.isEmpty());
  const QVariantMap only = ex.Properties(c[3].id, {"toggle-state"});
  EXPECT_EQ(only.keys(), QStringList{"toggle-state"});
}

TEST(DBusMenuModel, ClickActivatesLaterAndOnlyEnabledEntries) {
  EnsureApp();
  Menu m;
  platform::DBusMenuModel ex;
  ex.SetMenu(&m.menu);
  const auto c = ex.Layout(0, -1, {}).children;
  // Clicks faster than the event loop runs them (a flood from the bus) make one activation.
  for (int i = 0; i < 10000; ++i) EXPECT_TRUE(ex.HandleEvent(c[0].id, "clicked"));
  EXPECT_EQ(m.showRuns, 0);  // not inside the host's call
  EXPECT_TRUE(ex.HandleEvent(c[2].id, "clicked"));
  EXPECT_TRUE(ex.HandleEvent(c[3].id, "hovered"));
  EXPECT_FALSE(ex.HandleEvent(9999, "clicked"));
  QCoreApplication::processEvents();
  EXPECT_EQ(m.showRuns, 1);
  EXPECT_TRUE(ex.HandleEvent(c[0].id, "clicked"));  // a later click activates again
  QCoreApplication::processEvents();
  EXPECT_EQ(m.showRuns, 2);
  EXPECT_EQ(m.headingRuns, 0);
  EXPECT_EQ(m.redRuns, 0);
  // An entry removed from the menu is no longer reachable by its old id.
  m.entries.erase(m.entries.begin());
  m.Set();
  EXPECT_FALSE(ex.HasItem(c[0].id));
  EXPECT_FALSE(ex.HandleEvent(c[0].id, "clicked"));
}

TEST(DBusMenuModel, SeveralChangesMakeOneLayoutUpdate) {
  EnsureApp();
  Menu m;
  platform::DBusMenuModel ex;
  ex.SetMenu(&m.menu);
  QCoreApplication::processEvents();
  int updates = 0;
  QObject::connect(&ex, &platform::DBusMenuModel::LayoutChanged, [&updates] { ++updates; });
  const uint before = ex.Revision();
  m.entries[4].checked = false;
  m.Set();
  m.entries[3].checked = true;
  m.Set();
  m.entries.push_back(m.entries[0]);
  m.entries.back().id = 8;
  m.Set();
  QCoreApplication::processEvents();
  EXPECT_EQ(updates, 1);
  EXPECT_GT(ex.Revision(), before);

  // Check marks alone: the changed properties, and no new layout.
  QList<platform::DBusMenuItemProperties> changed;
  QObject::connect(&ex, &platform::DBusMenuModel::PropertiesChanged,
                   [&changed](const auto& updated, const auto&) { changed += updated; });
  m.entries[3].checked = false;
  m.entries[4].checked = true;
  m.Set();
  m.entries[0].enabled = false;
  m.Set();
  QCoreApplication::processEvents();
  EXPECT_EQ(updates, 1);
  QMap<int, QVariantMap> byId;
  for (const auto& c : changed) byId[c.id].insert(c.properties);
  ASSERT_EQ(byId.size(), 3);
  EXPECT_EQ(byId[1], (QVariantMap{{"enabled", false}}));
  EXPECT_EQ(byId[4], (QVariantMap{{"toggle-state", 0}}));
  EXPECT_EQ(byId[5], (QVariantMap{{"toggle-state", 1}}));
}

class TrayIconOnPrivateBus : public ::testing::Test {
 protected:
  using Host = platform::TrayIcon::Host;
  void SetUp() override {
    EnsureApp();
    if (!bus_.Ok()) GTEST_SKIP() << "no dbus-daemon";
    item_ = bus_.Open();
    host_ = bus_.Connect("host");
    ASSERT_TRUE(item_ && item_->Connected() && host_.isConnected());
    icon_ = std::make_unique<platform::TrayIcon>(item_);
    QObject::connect(icon_.get(), &platform::TrayIcon::Activated, [this] { gestures_.push_back("activate"); });
    QObject::connect(icon_.get(), &platform::TrayIcon::ContextMenuRequested, [this] { gestures_.push_back("menu"); });
    QObject::connect(icon_.get(), &platform::TrayIcon::Scrolled, [this](int delta, Qt::Orientation o) {
      gestures_.push_back(QString("scroll %1 %2").arg(delta).arg(o == Qt::Horizontal ? "h" : "v"));
    });
    QObject::connect(icon_.get(), &platform::TrayIcon::HostPresenceChanged,
                     [this](bool present) { presence_.push_back(present); });
    picture_.width = picture_.height = 32;
    picture_.argb.assign(32 * 32, 0xFF00FF00u);
    picture_.argb[0] = 0;
    picture_.argb[1] = 0xFF123456u;
  }
  void StartWatcher() {
    ASSERT_TRUE(host_.registerObject("/StatusNotifierWatcher", &watcher_,
                                     QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(host_.registerService("org.kde.StatusNotifierWatcher"));
  }
  void Show() {
    icon_->SetToolTip("Tip text");
    icon_->SetPicture(picture_);
    icon_->SetVisible(true);
  }
  QString ItemService() { return watcher_.items.isEmpty() ? QString() : watcher_.items.last(); }
  QVariant ItemProperty(const QString& name) {
    const QDBusMessage r = Call(host_, ItemService(), "/StatusNotifierItem", "org.freedesktop.DBus.Properties",
                                "Get", {"org.kde.StatusNotifierItem", name});
    return r.arguments().isEmpty() ? QVariant() : r.arguments()[0].value<QDBusVariant>().variant();
  }

  PrivateBus bus_;
  std::shared_ptr<platform::BusConnection> item_;
  QDBusConnection host_{QString()};
  FakeWatcher watcher_;
  std::unique_ptr<platform::TrayIcon> icon_;
  platform::TrayPicture picture_;
  QStringList gestures_;
  std::vector<bool> presence_;
};

TEST_F(TrayIconOnPrivateBus, WaitsForAWatcherThenRegistersWithIt) {
  Show();
  QCoreApplication::processEvents();
  EXPECT_EQ(icon_->CurrentHost(), Host::None);
  EXPECT_FALSE(icon_->HostPresent());
  StartWatcher();
  ASSERT_TRUE(SpinUntil([&] { return !watcher_.items.isEmpty(); }));
  EXPECT_EQ(icon_->CurrentHost(), Host::StatusNotifier);
  EXPECT_TRUE(icon_->HostPresent());
  EXPECT_EQ(presence_, std::vector<bool>{true});
  EXPECT_EQ(ItemService().toStdString(), item_->UniqueName());
  EXPECT_EQ(ItemProperty("IconAccessibleDesc").toString(), "");
  icon_->SetDescription("Two bars");
  EXPECT_EQ(ItemProperty("IconAccessibleDesc").toString(), "Two bars");
  EXPECT_EQ(ItemProperty("AttentionAccessibleDesc").toString(), "Two bars");
  EXPECT_EQ(ItemProperty("Category").toString(), "ApplicationStatus");
  EXPECT_EQ(ItemProperty("Status").toString(), "Active");
  EXPECT_EQ(ItemProperty("Title").toString(), "Tip text");
  EXPECT_FALSE(ItemProperty("ItemIsMenu").toBool());

  // A watcher that restarts is told about the item again.
  host_.unregisterService("org.kde.StatusNotifierWatcher");
  watcher_.items.clear();
  ASSERT_TRUE(host_.registerService("org.kde.StatusNotifierWatcher"));
  EXPECT_TRUE(SpinUntil([&] { return !watcher_.items.isEmpty(); }));

  // A watcher that drops the item while it is still wanted is asked again; one that keeps
  // dropping it is asked less and less often (0.5 s, then 1 s, then 2 s after the drop).
  QElapsedTimer t;
  t.start();
  watcher_.registrations = 0;
  while (watcher_.registrations < 3 && t.elapsed() < 20000) {
    watcher_.DropAll(host_);
    SpinUntil([&] { return !watcher_.items.isEmpty(); });
  }
  EXPECT_EQ(watcher_.registrations, 3);
  EXPECT_GE(t.elapsed(), 3000);
}

// A host that reads the list of items before it registers, and follows additions only after,
// would miss an item registered in between: a new watcher's items wait for its host.
TEST_F(TrayIconOnPrivateBus, ANewWatcherGetsTheItemOnceItsHostRegisters) {
  Show();
  watcher_.host = false;
  StartWatcher();
  EXPECT_FALSE(SpinUntil([&] { return !watcher_.items.isEmpty(); }, 1000));
  QElapsedTimer t;
  t.start();
  watcher_.HostRegistered(host_);
  ASSERT_TRUE(SpinUntil([&] { return !watcher_.items.isEmpty(); }));
  EXPECT_LT(t.elapsed(), platform::SniWatcherTracker::kHostWaitMs - 1000);

  // A watcher whose host never comes gets the item after the wait.
  host_.unregisterService("org.kde.StatusNotifierWatcher");
  watcher_.items.clear();
  watcher_.host = false;
  t.start();
  ASSERT_TRUE(host_.registerService("org.kde.StatusNotifierWatcher"));
  ASSERT_TRUE(SpinUntil([&] { return !watcher_.items.isEmpty(); }, 20000));
  EXPECT_GE(t.elapsed(), platform::SniWatcherTracker::kHostWaitMs - 100);
}

TEST_F(TrayIconOnPrivateBus, IconPixmapHoldsThePictureBigEndianAndScaledSizesAlsoWhileAnotherCallerFloods) {
  StartWatcher();
  Show();
  ASSERT_TRUE(SpinUntil([&] { return !watcher_.items.isEmpty(); }));
  const QDBusArgument arg = ItemProperty("IconPixmap").value<QDBusArgument>();
  platform::SniIconPixmapList list;
  arg >> list;
  std::vector<int> sizes;
  for (const auto& p : list) sizes.push_back(p.width);
  EXPECT_EQ(sizes, (std::vector<int>{16, 22, 24, 32, 44}));
  // The largest repeats the 22-pixel picture's pixels two by two.
  const auto* p22 = reinterpret_cast<const quint32*>(list[1].bytes.constData());
  const auto* p44 = reinterpret_cast<const quint32*>(list[4].bytes.constData());
  for (int y = 0; y < 44; ++y)
    for (int x = 0; x < 44; ++x) ASSERT_EQ(p44[y * 44 + x], p22[(y / 2) * 22 + x / 2]) << x << "," << y;
  const auto& p32 = list[3];
  ASSERT_EQ(p32.bytes.size(), 32 * 32 * 4);
  const auto* b = reinterpret_cast<const unsigned char*>(p32.bytes.constData());
  EXPECT_EQ(b[0], 0);  // transparent
  EXPECT_EQ((std::vector<int>{b[4], b[5], b[6], b[7]}), (std::vector<int>{0xFF, 0x12, 0x34, 0x56}));

  // Another client asking far faster than any host is refused alone: the host still reads them.
  QDBusConnection flooder = bus_.Connect("flooder");
  std::vector<QDBusPendingCall> calls;
  for (int i = 0; i < 200; ++i) {
    QDBusMessage m = QDBusMessage::createMethodCall(ItemService(), "/StatusNotifierItem",
                                                    "org.freedesktop.DBus.Properties", "Get");
    m << QString("org.kde.StatusNotifierItem") << QString("IconPixmap");
    calls.push_back(flooder.asyncCall(m, 3000));
  }
  SpinUntil([&] { return std::all_of(calls.begin(), calls.end(), [](auto& c) { return c.isFinished(); }); }, 5000);
  const auto refused = std::count_if(calls.begin(), calls.end(), [](auto& c) {
    return c.reply().errorName() == "org.freedesktop.DBus.Error.LimitsExceeded";
  });
  EXPECT_GE(refused, 150);
  platform::SniIconPixmapList again;
  ItemProperty("IconPixmap").value<QDBusArgument>() >> again;
  EXPECT_EQ(again.size(), 5);
  QDBusConnection::disconnectFromBus("flooder");
}

TEST_F(TrayIconOnPrivateBus, HostRequestsBecomeSignalsAndHidingMakesTheItemPassive) {
  StartWatcher();
  Show();
  ASSERT_TRUE(SpinUntil([&] { return !watcher_.items.isEmpty(); }));
  const QString service = ItemService();
  const QString iface = "org.kde.StatusNotifierItem";
  Call(host_, service, "/StatusNotifierItem", iface, "Activate", {0, 0});
  Call(host_, service, "/StatusNotifierItem", iface, "SecondaryActivate", {0, 0});
  Call(host_, service, "/StatusNotifierItem", iface, "ContextMenu", {0, 0});
  Call(host_, service, "/StatusNotifierItem", iface, "Scroll", {-120, "vertical"});
  Call(host_, service, "/StatusNotifierItem", iface, "Scroll", {3, "Horizontal"});
  EXPECT_EQ(gestures_, (QStringList{"activate", "menu", "scroll -120 v", "scroll 3 h"}));

  Counter statuses;
  host_.connect(service, "/StatusNotifierItem", iface, "NewStatus", &statuses, SLOT(Hit()));
  icon_->SetVisible(false);
  EXPECT_TRUE(SpinUntil([&] { return statuses.hits == 1; }));
  EXPECT_EQ(ItemProperty("Status").toString(), "Passive");
  EXPECT_EQ(icon_->CurrentHost(), Host::None);
  EXPECT_EQ(presence_, (std::vector<bool>{true, false}));

  // A program that hides the icon on its way out sends nothing more: hosts learn from its
  // connection leaving the bus, with no last status change to start work they would cancel.
  icon_->SetVisible(true);
  ASSERT_TRUE(SpinUntil([&] { return statuses.hits == 2; }));
  icon_->SetVisible(false);
  icon_.reset();
  SpinUntil([] { return false; }, 2 * platform::SniItem::kPassiveDelayMs);
  EXPECT_EQ(statuses.hits, 2);
}

// The session bus going away (its daemon ended) leaves the icon without a host, and the program
// running: nothing is read from or written to the closed connection again.
TEST_F(TrayIconOnPrivateBus, ABusThatGoesAwayLeavesTheIconWaiting) {
  StartWatcher();
  Show();
  ASSERT_TRUE(SpinUntil([&] { return !watcher_.items.isEmpty(); }));
  bool dropped = false;
  QObject::connect(item_.get(), &platform::BusConnection::Disconnected, [&dropped] { dropped = true; });
  bus_.Stop();
  ASSERT_TRUE(SpinUntil([&] { return dropped; }));
  EXPECT_FALSE(item_->Connected());
  EXPECT_TRUE(item_->UniqueName().empty());
  EXPECT_TRUE(SpinUntil([&] { return icon_->CurrentHost() != Host::StatusNotifier; }));
  EXPECT_FALSE(icon_->HostPresent());
  picture_.argb[500] = 0xFFFF0000u;
  icon_->SetPicture(picture_);
  icon_->SetVisible(false);
}

}  // namespace
