#include "platform/tray_host/sni_watcher.h"

#include <systemd/sd-bus.h>

#include <QPointer>
#include <QTimer>
#include <cstring>

namespace platform {

namespace {

constexpr const char* kService = "org.kde.StatusNotifierWatcher";
constexpr const char* kPath = "/StatusNotifierWatcher";
constexpr int kCallTimeoutMs = 2000;

SniWatcherTracker* Self(void* userdata) { return static_cast<SniWatcherTracker*>(userdata); }

// The signal's own sender is not matched: the watcher's well-known name is not the sender's
// unique name, and any of the watcher's signals only makes the tracker ask again.
std::string WatcherSignal(const char* member) {
  return std::string("type='signal',path='") + kPath + "',interface='" + kService + "',member='" + member + "'";
}

bool IsError(sd_bus_message* reply, const char* name) {
  const sd_bus_error* e = sd_bus_message_get_error(reply);
  return e && e->name && std::strcmp(e->name, name) == 0;
}

}  // namespace

SniWatcherTracker::SniWatcherTracker(std::shared_ptr<BusConnection> bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), hostWait_(new QTimer(this)) {
  hostWait_->setSingleShot(true);
  connect(hostWait_, &QTimer::timeout, this, [this] {
    if (!present_) return;
    // No host yet: items register all the same (a host that comes later reads the list).
    // A host that registered while the answer was lost is found by asking once more.
    if (!hostKnown_) SetHost(false);
    QueryHost();
  });
  if (!bus_ || !bus_->Connected()) return;
  // The bus gone: no watcher is reachable any more.
  connect(bus_.get(), &BusConnection::Disconnected, this, [this] {
    ++generation_;
    if (present_) OnOwner({});
  });
  sd_bus* b = bus_->Bus();
  sd_bus_slot* slot = nullptr;
  const std::string owner = std::string(
                                "type='signal',sender='org.freedesktop.DBus',path='/org/freedesktop/DBus',"
                                "interface='org.freedesktop.DBus',member='NameOwnerChanged',arg0='") +
                            kService + "'";
  auto onOwner = [](sd_bus_message* m, void* self, sd_bus_error*) {
    const char *name = nullptr, *before = nullptr, *after = nullptr;
    if (sd_bus_message_read(m, "sss", &name, &before, &after) >= 0 && name && std::strcmp(name, kService) == 0)
      Self(self)->OnOwner(after ? after : "");
    return 0;
  };
  if (sd_bus_add_match_async(b, &slot, owner.c_str(), onOwner, nullptr, this) >= 0) ownerChanged_ = BusSlot(slot);
  auto onRegistered = [](sd_bus_message*, void* self, sd_bus_error*) {
    Self(self)->OnHostRegistered();
    return 0;
  };
  auto onUnregistered = [](sd_bus_message*, void* self, sd_bus_error*) {
    Self(self)->OnHostUnregistered();
    return 0;
  };
  if (sd_bus_add_match_async(b, &slot, WatcherSignal("StatusNotifierHostRegistered").c_str(), onRegistered,
                             nullptr, this) >= 0)
    hostRegisteredMatch_ = BusSlot(slot);
  if (sd_bus_add_match_async(b, &slot, WatcherSignal("StatusNotifierHostUnregistered").c_str(), onUnregistered,
                             nullptr, this) >= 0)
    hostUnregisteredMatch_ = BusSlot(slot);
  AskOwner();
}

// Whether one runs already, asked without blocking; a bus too busy to answer is asked again.
void SniWatcherTracker::AskOwner() {
  sd_bus_message* call = nullptr;
  if (sd_bus_message_new_method_call(bus_->Bus(), &call, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                     "org.freedesktop.DBus", "GetNameOwner") < 0 ||
      sd_bus_message_append(call, "s", kService) < 0) {
    sd_bus_message_unref(call);
    return;
  }
  QPointer<SniWatcherTracker> self(this);
  const quint64 gen = generation_;
  bus_->CallAsync(call, kCallTimeoutMs, [self, gen](sd_bus_message* reply) {
    if (!self || gen != self->generation_ || self->present_) return;  // an owner change has told already
    if (!sd_bus_message_is_method_error(reply, nullptr)) {
      const char* owner = nullptr;
      if (sd_bus_message_read(reply, "s", &owner) >= 0 && owner) self->OnOwner(owner);
      return;
    }
    if (IsError(reply, SD_BUS_ERROR_NO_REPLY) || IsError(reply, SD_BUS_ERROR_TIMEOUT) ||
        IsError(reply, "org.freedesktop.DBus.Error.TimedOut"))
      QTimer::singleShot(500, self, [self, gen] {
        if (self && gen == self->generation_ && !self->present_) self->AskOwner();
      });
  });
}

// A watcher that has just appeared may have a host on its way: a host that reads the list of
// items before it registers and follows additions only after, misses an item registered in
// between. So items are let in once the host has registered (or none came in time).
void SniWatcherTracker::OnOwner(const std::string& owner) {
  ++generation_;
  present_ = !owner.empty();
  hostRegistered_ = false;
  hostKnown_ = false;
  appeared_ = false;
  hostWait_->stop();
  if (present_) {
    hostWait_->start(kHostWaitMs);
    QueryHost();
  }
  emit Changed();
}

void SniWatcherTracker::QueryHost() {
  sd_bus_message* call = nullptr;
  if (!bus_->Connected() ||
      sd_bus_message_new_method_call(bus_->Bus(), &call, kService, kPath, "org.freedesktop.DBus.Properties",
                                     "Get") < 0 ||
      sd_bus_message_append(call, "ss", kService, "IsStatusNotifierHostRegistered") < 0) {
    sd_bus_message_unref(call);
    return;
  }
  QPointer<SniWatcherTracker> self(this);
  const quint64 gen = generation_;
  bus_->CallAsync(call, kCallTimeoutMs, [self, gen](sd_bus_message* reply) {
    if (!self || gen != self->generation_ || !self->present_) return;
    int registered = 0;
    if (sd_bus_message_is_method_error(reply, nullptr) || sd_bus_message_read(reply, "v", "b", &registered) < 0)
      registered = 0;
    // Without a host while the wait runs: the wait decides.
    if (registered || !self->hostWait_->isActive()) self->SetHost(registered != 0);
  });
}

void SniWatcherTracker::SetHost(bool registered) {
  if (registered) hostWait_->stop();
  const bool changed = !hostKnown_ || hostRegistered_ != registered;
  hostKnown_ = true;
  hostRegistered_ = registered;
  if (!appeared_) {
    appeared_ = true;
    emit Appeared();
  }
  if (changed) emit Changed();
}

void SniWatcherTracker::OnHostRegistered() {
  if (present_) SetHost(true);
}

void SniWatcherTracker::OnHostUnregistered() {
  if (present_) QueryHost();  // other hosts may remain
}

}  // namespace platform
