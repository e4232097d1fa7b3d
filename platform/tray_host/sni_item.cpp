#include "platform/tray_host/sni_item.h"

#include <systemd/sd-bus.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <strings.h>
#include <iterator>
#include <vector>

#include "platform/tray_host/dbus_menu_service.h"
#include "platform/pictures/scaled_picture.h"
#include "platform/tray_host/icon_sizes.h"

namespace platform {

namespace {

constexpr const char* kWatcherService = "org.kde.StatusNotifierWatcher";
constexpr const char* kWatcherPath = "/StatusNotifierWatcher";
constexpr const char* kItemInterface = "org.kde.StatusNotifierItem";
constexpr const char* kItemPath = "/StatusNotifierItem";
constexpr const char* kMenuPath = "/MenuBar";
constexpr int kCallTimeoutMs = 2000;

// The item's pictures: each offered size, and the picture's own if it is not among them.
SniIconPixmapList MakePixmaps(const TrayPicture& icon) {
  SniIconPixmapList pixmaps;
  if (icon.width <= 0 || icon.height <= 0 ||
      icon.argb.size() != static_cast<std::size_t>(icon.width) * icon.height)
    return pixmaps;
  // A size twice an earlier one repeats that one's pixels (see kTrayIconSizes).
  Picture made[std::size(kTrayIconSizes)];
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
      made[i] = Scaled(made[half], size, size);
      pixels = made[i].argb.data();
    } else {
      made[i] = Scaled(icon, size, size);
      pixels = made[i].argb.data();
    }
    pixmaps.append(MakeSniIconPixmap(pixels, size, size));
  }
  if (!ownSizeListed) pixmaps.append(MakeSniIconPixmap(icon.argb.data(), icon.width, icon.height));
  return pixmaps;
}

SniItem* Self(void* userdata) { return static_cast<SniItem*>(userdata); }

int AppendPixmaps(sd_bus_message* reply, const SniIconPixmapList& pixmaps) {
  int r = sd_bus_message_open_container(reply, 'a', "(iiay)");
  for (const SniIconPixmap& p : pixmaps) {
    if (r >= 0) r = sd_bus_message_open_container(reply, 'r', "iiay");
    if (r >= 0) r = sd_bus_message_append(reply, "ii", p.width, p.height);
    if (r >= 0) r = sd_bus_message_append_array(reply, 'y', p.bytes.constData(), p.bytes.size());
    if (r >= 0) r = sd_bus_message_close_container(reply);
  }
  return r >= 0 ? sd_bus_message_close_container(reply) : r;
}

int GetString(sd_bus*, const char*, const char*, const char* property, sd_bus_message* reply, void* item,
              sd_bus_error*) {
  return sd_bus_message_append(reply, "s", Self(item)->StringProperty(property).c_str());
}

int GetZero(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*, sd_bus_error*) {
  return sd_bus_message_append(reply, "i", 0);
}

int GetFalse(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*, sd_bus_error*) {
  return sd_bus_message_append(reply, "b", 0);
}

int GetMenu(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*, sd_bus_error*) {
  return sd_bus_message_append(reply, "o", kMenuPath);
}

int GetIconPixmap(sd_bus* bus, const char*, const char*, const char*, sd_bus_message* reply, void* item,
                  sd_bus_error* error) {
  sd_bus_message* request = sd_bus_get_current_message(bus);
  const char* sender = request ? sd_bus_message_get_sender(request) : nullptr;
  const SniIconPixmapList* pixmaps = Self(item)->IconPixmap(sender ? sender : "");
  if (!pixmaps) return sd_bus_error_set(error, SD_BUS_ERROR_LIMITS_EXCEEDED, "Pictures asked for too often");
  return AppendPixmaps(reply, *pixmaps);
}

int GetNoPixmaps(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*, sd_bus_error*) {
  return AppendPixmaps(reply, {});
}

// (sa(iiay)ss): no icon of its own, the title as the tip's title.
int GetToolTip(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* item,
               sd_bus_error*) {
  int r = sd_bus_message_open_container(reply, 'r', "sa(iiay)ss");
  if (r >= 0) r = sd_bus_message_append(reply, "s", "");
  if (r >= 0) r = AppendPixmaps(reply, {});
  if (r >= 0) r = sd_bus_message_append(reply, "ss", Self(item)->StringProperty("Title").c_str(), "");
  return r >= 0 ? sd_bus_message_close_container(reply) : r;
}

int OnActivate(sd_bus_message* m, void* item, sd_bus_error*) {
  emit Self(item)->Activated();
  return sd_bus_reply_method_return(m, "");
}

int OnContextMenu(sd_bus_message* m, void* item, sd_bus_error*) {
  emit Self(item)->ContextMenuRequested();
  return sd_bus_reply_method_return(m, "");
}

// Scroll(delta, orientation): the delta as the host measures it; "horizontal" or else vertical.
int OnScroll(sd_bus_message* m, void* item, sd_bus_error*) {
  int delta = 0;
  const char* orientation = nullptr;
  if (int r = sd_bus_message_read(m, "is", &delta, &orientation); r < 0) return r;
  const bool horizontal = orientation && strcasecmp(orientation, "horizontal") == 0;
  emit Self(item)->Scrolled(delta, horizontal ? Qt::Horizontal : Qt::Vertical);
  return sd_bus_reply_method_return(m, "");
}

int OnIgnored(sd_bus_message* m, void*, sd_bus_error*) { return sd_bus_reply_method_return(m, ""); }

const sd_bus_vtable kItemVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_PROPERTY("Category", "s", GetString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("Id", "s", GetString, 0, 0),
    SD_BUS_PROPERTY("Title", "s", GetString, 0, 0),
    SD_BUS_PROPERTY("Status", "s", GetString, 0, 0),
    SD_BUS_PROPERTY("WindowId", "i", GetZero, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("IconThemePath", "s", GetString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("IconName", "s", GetString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("IconPixmap", "a(iiay)", GetIconPixmap, 0, 0),
    SD_BUS_PROPERTY("OverlayIconName", "s", GetString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("OverlayIconPixmap", "a(iiay)", GetNoPixmaps, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("AttentionIconName", "s", GetString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("AttentionIconPixmap", "a(iiay)", GetNoPixmaps, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("AttentionMovieName", "s", GetString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("IconAccessibleDesc", "s", GetString, 0, 0),
    SD_BUS_PROPERTY("AttentionAccessibleDesc", "s", GetString, 0, 0),
    SD_BUS_PROPERTY("ToolTip", "(sa(iiay)ss)", GetToolTip, 0, 0),
    SD_BUS_PROPERTY("ItemIsMenu", "b", GetFalse, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_PROPERTY("Menu", "o", GetMenu, 0, SD_BUS_VTABLE_PROPERTY_CONST),
    SD_BUS_METHOD("Activate", "ii", "", OnActivate, 0),
    SD_BUS_METHOD("ContextMenu", "ii", "", OnContextMenu, 0),
    SD_BUS_METHOD("SecondaryActivate", "ii", "", OnIgnored, 0),
    SD_BUS_METHOD("Scroll", "is", "", OnScroll, 0),
    SD_BUS_SIGNAL("NewTitle", "", 0),
    SD_BUS_SIGNAL("NewIcon", "", 0),
    SD_BUS_SIGNAL("NewAttentionIcon", "", 0),
    SD_BUS_SIGNAL("NewOverlayIcon", "", 0),
    SD_BUS_SIGNAL("NewToolTip", "", 0),
    SD_BUS_SIGNAL("NewStatus", "s", 0),
    SD_BUS_VTABLE_END};

}  // namespace

SniItem::SniItem(std::shared_ptr<BusConnection> bus, QObject* parent)
    : QObject(parent),
      bus_(std::move(bus)),
      menu_(new DBusMenuModel(this)),
      reRegister_(new QTimer(this)),
      announcePassive_(new QTimer(this)) {
  reRegister_->setSingleShot(true);
  connect(reRegister_, &QTimer::timeout, this, [this] { RegisterWithWatcher(); });
  announcePassive_->setSingleShot(true);
  connect(announcePassive_, &QTimer::timeout, this, [this] {
    if (!visible_) EmitStatus();
  });
  if (bus_ && bus_->Connected()) {
    menuService_ = std::make_unique<DBusMenuService>(bus_, menu_);
    sd_bus_slot* slot = nullptr;
    const std::string match = std::string("type='signal',path='") + kWatcherPath + "',interface='" +
                              kWatcherService + "',member='StatusNotifierItemUnregistered'";
    auto handler = [](sd_bus_message* m, void* item, sd_bus_error*) {
      const char* name = nullptr;
      if (sd_bus_message_read(m, "s", &name) >= 0 && name) Self(item)->OnItemUnregistered(name);
      return 0;
    };
    if (sd_bus_add_match_async(bus_->Bus(), &slot, match.c_str(), handler, nullptr, this) >= 0)
      unregistered_ = BusSlot(slot);
    bus_->AfterSend();
  }
}

SniItem::~SniItem() {
  // Nothing is announced: hosts learn the item is gone when its connection leaves the bus.
  object_.Reset();
  unregistered_.Reset();
  menuService_.reset();
  if (bus_) bus_->AfterSend();
}

QString SniItem::Status() const { return visible_ ? QStringLiteral("Active") : QStringLiteral("Passive"); }

std::string SniItem::StringProperty(const char* name) const {
  if (std::strcmp(name, "Category") == 0) return "ApplicationStatus";
  if (std::strcmp(name, "Id") == 0) return id_;
  if (std::strcmp(name, "Title") == 0) return title_;
  if (std::strcmp(name, "Status") == 0) return Status().toStdString();
  if (std::strcmp(name, "IconAccessibleDesc") == 0 || std::strcmp(name, "AttentionAccessibleDesc") == 0)
    return desc_;
  return {};
}

const SniIconPixmapList* SniItem::IconPixmap(std::string_view caller) {
  if (!pixmapBudgets_.Take(caller)) return nullptr;
  if (!pixmapsMade_) {
    pixmaps_ = MakePixmaps(icon_);
    pixmapsMade_ = true;
  }
  return &pixmaps_;
}

void SniItem::Emit(const char* signal) const {
  if (!object_) return;
  sd_bus_emit_signal(bus_->Bus(), kItemPath, kItemInterface, signal, "");
  bus_->AfterSend();
}

void SniItem::EmitStatus() const {
  if (!object_) return;
  sd_bus_emit_signal(bus_->Bus(), kItemPath, kItemInterface, "NewStatus", "s",
                     Status().toLatin1().constData());
  bus_->AfterSend();
}

bool SniItem::Show() {
  if (visible_) return true;
  if (!bus_ || !bus_->Connected()) return false;
  // The connection's unique name, as hosts resolve it without a name-owner lookup of their own.
  service_ = bus_->UniqueName();
  if (service_.empty()) return false;
  const QString name = QCoreApplication::applicationName();
  id_ = name.isEmpty() ? "tray-" + std::to_string(getpid()) : name.toStdString();
  if (!object_) {
    sd_bus_slot* slot = nullptr;
    if (sd_bus_add_object_vtable(bus_->Bus(), &slot, kItemPath, kItemInterface, kItemVtable, this) < 0)
      return false;
    object_ = BusSlot(slot);
    if (!menuService_->Export(kMenuPath)) {
      object_.Reset();
      return false;
    }
  }
  visible_ = true;
  announcePassive_->stop();
  EmitStatus();
  reRegisterDelayMs_ = kReRegisterFirstMs;
  RegisterWithWatcher();
  return true;
}

void SniItem::Hide() {
  if (!visible_) return;
  visible_ = false;
  reRegister_->stop();
  announcePassive_->start(kPassiveDelayMs);
}

void SniItem::RegisterWithWatcher() { RegisterWithWatcher(5); }

// A watcher that has just taken its name may not answer yet: a few quick retries, then the
// backing-off ones. Once it has answered, a look at its list shows whether it kept the item.
void SniItem::RegisterWithWatcher(int attemptsLeft) {
  if (!visible_) return;
  reRegister_->stop();
  sinceRegistered_.start();
  sd_bus_message* call = nullptr;
  if (sd_bus_message_new_method_call(bus_->Bus(), &call, kWatcherService, kWatcherPath, kWatcherService,
                                     "RegisterStatusNotifierItem") < 0 ||
      sd_bus_message_append(call, "s", service_.c_str()) < 0) {
    sd_bus_message_unref(call);
    return ScheduleReRegister();
  }
  QPointer<SniItem> self(this);
  const bool sent = bus_->CallAsync(call, kCallTimeoutMs, [self, attemptsLeft](sd_bus_message* reply) {
    if (!self || !self->visible_) return;
    if (!sd_bus_message_is_method_error(reply, nullptr)) {
      QTimer::singleShot(kListedCheckMs, self, [self] { self->CheckListed(); });
      return;
    }
    // Still refused: asked again later, less and less often, until it takes the item.
    if (attemptsLeft <= 1) return self->ScheduleReRegister();
    QTimer::singleShot(200, self, [self, attemptsLeft] { self->RegisterWithWatcher(attemptsLeft - 1); });
  });
  if (!sent) ScheduleReRegister();
}

bool SniItem::Names(const std::string& listed) const {
  return !service_.empty() && (listed == service_ || listed.rfind(service_ + '/', 0) == 0);
}

void SniItem::OnItemUnregistered(const std::string& name) {
  if (visible_ && Names(name)) ScheduleReRegister();
}

// A watcher without the list property (or one that does not answer) is taken at its word.
void SniItem::CheckListed() {
  if (!visible_ || reRegister_->isActive()) return;
  sd_bus_message* call = nullptr;
  if (sd_bus_message_new_method_call(bus_->Bus(), &call, kWatcherService, kWatcherPath,
                                     "org.freedesktop.DBus.Properties", "Get") < 0 ||
      sd_bus_message_append(call, "ss", kWatcherService, "RegisteredStatusNotifierItems") < 0) {
    sd_bus_message_unref(call);
    return;
  }
  QPointer<SniItem> self(this);
  bus_->CallAsync(call, kCallTimeoutMs, [self](sd_bus_message* reply) {
    if (!self || !self->visible_ || sd_bus_message_is_method_error(reply, nullptr)) return;
    char** listed = nullptr;
    bool found = false;
    if (sd_bus_message_enter_container(reply, 'v', "as") > 0 && sd_bus_message_read_strv(reply, &listed) >= 0) {
      for (char** e = listed; e && *e; ++e) found = found || self->Names(*e);
    }
    for (char** e = listed; e && *e; ++e) free(*e);
    free(listed);
    if (!found) self->ScheduleReRegister();
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

void SniItem::SetIcon(const TrayPicture& icon) {
  icon_ = icon;
  pixmapsMade_ = false;
  if (visible_) Emit("NewIcon");
}

void SniItem::SetTip(const QString& tip) {
  if (tip == tip_) return;
  tip_ = tip;
  title_ = tip.toStdString();
  if (visible_) {
    Emit("NewTitle");
    Emit("NewToolTip");
  }
}

void SniItem::SetMenu(TrayMenu* menu) { menu_->SetMenu(menu); }

}  // namespace platform
