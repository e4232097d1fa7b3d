#include "platform/notification_area/sni_item.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QMutexLocker>
#include <QThread>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
#include <algorithm>
#include <iterator>
#include <vector>
#include <unistd.h>

#include "platform/notification_area/dbus_menu.h"
#include "platform/notification_area/icon_scaling.h"

namespace platform {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kMenuPath = QStringLiteral("/MenuBar");

// The thread that reads and writes the connection's socket: the connection's own bus-name
// interface lives there.
QThread* BusThread(const QDBusConnection& bus) {
  const QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
  return names != nullptr ? names->thread() : nullptr;
}

// The item's pictures: each offered size, and the picture's own if it is not among them.
SniIconPixmapList MakePixmaps(const gdi::IconImage& icon) {
  SniIconPixmapList pixmaps;
  if (icon.width <= 0 || icon.height <= 0 ||
      icon.argb.size() != static_cast<std::size_t>(icon.width) * icon.height)
    return pixmaps;
  // A size twice an earlier one repeats that one's pixels (see kTrayIconSizes).
  std::vector<std::uint32_t> made[std::size(kTrayIconSizes)];
  bool ownSizeListed = false;
  for (std::size_t i = 0; i < std::size(kTrayIconSizes); ++i) {
    const int size = kTrayIconSizes[i];
    std::size_t half = 0;
    while (half < i && kTrayIconSizes[half] * 2 != size) ++half;
    const std::uint32_t* pixels;
    if (size == icon.width && size == icon.height) {
      pixels = icon.argb.data();
      ownSizeListed = true;
    } else if (half < i) {
      const int h = kTrayIconSizes[half];
      made[i] = ScaleIconCrisp(made[half].data(), h, h, size, size);
      pixels = made[i].data();
    } else {
      made[i] = ScaleIconCrisp(icon.argb.data(), icon.width, icon.height, size, size);
      pixels = made[i].data();
    }
    pixmaps.append(MakeSniIconPixmap(pixels, size, size));
  }
  if (!ownSizeListed) pixmaps.append(MakeSniIconPixmap(icon.argb.data(), icon.width, icon.height));
  return pixmaps;
}

}  // namespace

void SniItemObject::SetIcon(const gdi::IconImage& icon) {
  QMutexLocker lock(&mutex_);
  icon_ = icon;
  pixmapsMade_ = false;
}

void SniItemObject::SetTitle(const QString& title) {
  QMutexLocker lock(&mutex_);
  title_ = title;
}

void SniItemObject::SetStatus(const QString& status) {
  QMutexLocker lock(&mutex_);
  status_ = status;
}

void SniItemObject::SetId(const QString& id) {
  QMutexLocker lock(&mutex_);
  id_ = id;
}

void SniItemObject::SetAccessibleDesc(const QString& desc) {
  QMutexLocker lock(&mutex_);
  desc_ = desc;
}

QString SniItemObject::Id() const {
  QMutexLocker lock(&mutex_);
  return id_;
}

QString SniItemObject::Title() const {
  QMutexLocker lock(&mutex_);
  return title_;
}

QString SniItemObject::Status() const {
  QMutexLocker lock(&mutex_);
  return status_;
}

QString SniItemObject::AccessibleDesc() const {
  QMutexLocker lock(&mutex_);
  return desc_;
}

SniIconPixmapList SniItemObject::IconPixmap() const {
  QMutexLocker lock(&mutex_);
  if (!pixmapBudget_.Take()) return {};
  if (!pixmapsMade_) {
    pixmaps_ = MakePixmaps(icon_);
    pixmapsMade_ = true;
  }
  return pixmaps_;
}

SniItem::SniItem(QDBusConnection bus, QObject* parent)
    : QObject(parent),
      bus_(bus),
      object_(new SniItemObject),
      menu_(new DBusMenuExporter(this)),
      reRegister_(new QTimer(this)) {
  RegisterNotifyAreaDBusTypes();
  auto* adaptor = new SniItemAdaptor(object_);
  // The bus relays an adaptor's signals only as emitted on the adaptor's thread; the host's
  // calls come back here through the event loop.
  connect(this, &SniItem::NewIcon, adaptor, &SniItemAdaptor::NewIcon, Qt::QueuedConnection);
  connect(this, &SniItem::NewToolTip, adaptor, &SniItemAdaptor::NewToolTip, Qt::QueuedConnection);
  connect(this, &SniItem::NewTitle, adaptor, &SniItemAdaptor::NewTitle, Qt::QueuedConnection);
  connect(this, &SniItem::NewStatus, adaptor, &SniItemAdaptor::NewStatus, Qt::QueuedConnection);
  connect(object_, &SniItemObject::Activated, this, &SniItem::Activated, Qt::QueuedConnection);
  connect(object_, &SniItemObject::ContextMenuRequested, this, &SniItem::ContextMenuRequested,
          Qt::QueuedConnection);
  if (QThread* thread = BusThread(bus_)) object_->moveToThread(thread);
  new DBusMenuAdaptor(menu_);
  reRegister_->setSingleShot(true);
  connect(reRegister_, &QTimer::timeout, this, [this] { RegisterWithWatcher(); });
  if (bus_.isConnected())
    bus_.connect(kWatcherService, kWatcherPath, kWatcherService,
                 QStringLiteral("StatusNotifierItemUnregistered"), this, SLOT(OnItemUnregistered(QString)));
}

SniItem::~SniItem() {
  // The adaptor's own relay would come after the object has left the bus.
  const bool wasVisible = visible_ && exported_;
  Hide();
  if (wasVisible) {
    QDBusMessage passive = QDBusMessage::createSignal(kItemPath, QStringLiteral("org.kde.StatusNotifierItem"),
                                                      QStringLiteral("NewStatus"));
    passive << Status();
    bus_.send(passive);
  }
  if (exported_) {
    bus_.unregisterObject(kItemPath);
    bus_.unregisterObject(kMenuPath);
  }
  // The bus follows a registered object's destruction with a call it waits for on its own
  // thread: destroyed there, the object would wait for itself. It has left the bus already.
  QObject::disconnect(object_, &QObject::destroyed, nullptr, nullptr);
  // A call the bus's thread is answering finds the object gone from the bus, not deleted.
  if (object_->thread() == QThread::currentThread()) {
    delete object_;
  } else {
    object_->deleteLater();
  }
}

QString SniItem::Status() const { return visible_ ? QStringLiteral("Active") : QStringLiteral("Passive"); }

bool SniItem::Show() {
  if (visible_) return true;
  if (!bus_.isConnected()) return false;
  const QString name = QCoreApplication::applicationName();
  object_->SetId(name.isEmpty() ? QStringLiteral("tray-%1").arg(getpid()) : name);
  if (!exported_) {
    if (!bus_.registerObject(kItemPath, object_, QDBusConnection::ExportAdaptors) ||
        !bus_.registerObject(kMenuPath, menu_, QDBusConnection::ExportAdaptors)) {
      bus_.unregisterObject(kItemPath);
      return false;
    }
    exported_ = true;
  }
  // The connection's unique name, as hosts resolve it without a name-owner lookup of their own.
  service_ = bus_.baseService();
  visible_ = true;
  object_->SetStatus(Status());
  emit NewStatus(Status());
  reRegisterDelayMs_ = kReRegisterFirstMs;
  RegisterWithWatcher();
  return true;
}

void SniItem::Hide() {
  if (!visible_) return;
  visible_ = false;
  reRegister_->stop();
  object_->SetStatus(Status());
  emit NewStatus(Status());
}

void SniItem::RegisterWithWatcher() { RegisterWithWatcher(5); }

// A watcher that has just taken its name may not answer yet: a few quick retries, then the
// backing-off ones. Once it has answered, a look at its list shows whether it kept the item.
void SniItem::RegisterWithWatcher(int attemptsLeft) {
  if (!visible_) return;
  reRegister_->stop();
  sinceRegistered_.start();
  QDBusMessage call = QDBusMessage::createMethodCall(kWatcherService, kWatcherPath, kWatcherService,
                                                     QStringLiteral("RegisterStatusNotifierItem"));
  call << service_;
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, 2000), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, attemptsLeft](QDBusPendingCallWatcher* w) {
            w->deleteLater();
            if (!visible_) return;
            if (!w->isError()) {
              QTimer::singleShot(kListedCheckMs, this, [this] { CheckListed(); });
              return;
            }
            // Still refused: asked again later, less and less often, until it takes the item.
            if (attemptsLeft <= 1) return ScheduleReRegister();
            QTimer::singleShot(200, this, [this, attemptsLeft] { RegisterWithWatcher(attemptsLeft - 1); });
          });
}

bool SniItem::Names(const QString& listed) const {
  return !service_.isEmpty() && (listed == service_ || listed.startsWith(service_ + u'/'));
}

void SniItem::OnItemUnregistered(const QString& name) {
  if (visible_ && Names(name)) ScheduleReRegister();
}

// A watcher without the list property (or one that does not answer) is taken at its word.
void SniItem::CheckListed() {
  if (!visible_ || reRegister_->isActive()) return;
  QDBusMessage call = QDBusMessage::createMethodCall(
      kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  call << kWatcherService << QStringLiteral("RegisteredStatusNotifierItems");
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, 2000), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
    w->deleteLater();
    QDBusPendingReply<QDBusVariant> reply = *w;
    if (!visible_ || reply.isError()) return;
    const QStringList listed = reply.value().variant().toStringList();
    for (const QString& entry : listed)
      if (Names(entry)) return;
    ScheduleReRegister();
  });
}

// A host that drops the item at once again and again is asked less and less often, never
// more than once per pending delay; an item that stayed listed a while starts short again.
void SniItem::ScheduleReRegister() {
  if (reRegister_->isActive()) return;
  if (sinceRegistered_.isValid() && sinceRegistered_.elapsed() > kReRegisterLongestMs)
    reRegisterDelayMs_ = kReRegisterFirstMs;
  reRegister_->start(reRegisterDelayMs_);
  reRegisterDelayMs_ = std::min(reRegisterDelayMs_ * 2, kReRegisterLongestMs);
}

void SniItem::SetIcon(const gdi::IconImage& icon) {
  object_->SetIcon(icon);
  if (visible_) emit NewIcon();
}

void SniItem::SetTip(const QString& tip) {
  if (tip == tip_) return;
  tip_ = tip;
  object_->SetTitle(tip);
  if (visible_) {
    emit NewTitle();
    emit NewToolTip();
  }
}

void SniItem::SetMenu(QMenu* menu) { menu_->SetMenu(menu); }

SniItemAdaptor::SniItemAdaptor(SniItemObject* item) : QDBusAbstractAdaptor(item), item_(item) {
  setAutoRelaySignals(false);
}

void SniItemAdaptor::Activate(int, int) { emit item_->Activated(); }
void SniItemAdaptor::ContextMenu(int, int) { emit item_->ContextMenuRequested(); }
void SniItemAdaptor::SecondaryActivate(int, int) {}
void SniItemAdaptor::Scroll(int, const QString&) {}

}  // namespace platform
