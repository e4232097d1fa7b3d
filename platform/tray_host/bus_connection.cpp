#include "platform/tray_host/bus_connection.h"

#include <poll.h>
#include <systemd/sd-bus.h>
#include <time.h>

#include <QSocketNotifier>
#include <QTimer>

namespace platform {

namespace {

std::uint64_t MonotonicUs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::uint64_t>(ts.tv_sec) * 1000000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000u;
}

}  // namespace

struct BusReplyRelay {
  static int OnReply(sd_bus_message* reply, void* connection, sd_bus_error*) {
    static_cast<BusConnection*>(connection)->DeliverReply(reply);
    return 0;
  }
};

std::shared_ptr<BusConnection> BusConnection::OpenSession() {
  sd_bus* bus = nullptr;
  if (sd_bus_open_user(&bus) < 0) return nullptr;
  return std::shared_ptr<BusConnection>(new BusConnection(bus));
}

std::shared_ptr<BusConnection> BusConnection::Open(const std::string& address) {
  sd_bus* bus = nullptr;
  if (sd_bus_new(&bus) < 0) return nullptr;
  if (sd_bus_set_address(bus, address.c_str()) < 0 || sd_bus_set_bus_client(bus, 1) < 0 ||
      sd_bus_start(bus) < 0) {
    sd_bus_unref(bus);
    return nullptr;
  }
  return std::shared_ptr<BusConnection>(new BusConnection(bus));
}

BusConnection::BusConnection(sd_bus* bus) : bus_(bus) {
  const int fd = sd_bus_get_fd(bus_);
  read_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  write_ = new QSocketNotifier(fd, QSocketNotifier::Write, this);
  write_->setEnabled(false);
  timeout_ = new QTimer(this);
  timeout_->setSingleShot(true);
  connect(read_, &QSocketNotifier::activated, this, &BusConnection::Process);
  connect(write_, &QSocketNotifier::activated, this, &BusConnection::Process);
  connect(timeout_, &QTimer::timeout, this, [this] {
    armedDeadlineUs_ = UINT64_MAX;
    Process();
  });
  Rearm();
}

BusConnection::~BusConnection() {
  // Replies still awaited are dropped with the connection, never delivered.
  pending_.clear();
  // What is still queued (rare: a write goes out at once unless the socket is full) is given
  // a short while, never an unbounded wait on a bus that has stopped reading.
  for (int i = 0; connected_ && i < 10 && (sd_bus_get_events(bus_) & POLLOUT); ++i) {
    pollfd p{sd_bus_get_fd(bus_), POLLOUT, 0};
    if (poll(&p, 1, 50) <= 0) break;
    sd_bus_flush(bus_);
  }
  sd_bus_close_unref(bus_);
}

std::string BusConnection::UniqueName() const {
  const char* name = nullptr;
  // Asked only once greeted: before that the library would wait for the greeting.
  if (!connected_ || sd_bus_is_ready(bus_) <= 0 || sd_bus_get_unique_name(bus_, &name) < 0 || !name)
    return {};
  return name;
}

void BusConnection::AfterSend() { Rearm(); }

bool BusConnection::CallAsync(sd_bus_message* call, int timeoutMs, ReplyHandler done) {
  const int r = connected_ ? sd_bus_call_async(bus_, nullptr, call, &BusReplyRelay::OnReply, this,
                                               static_cast<std::uint64_t>(timeoutMs) * 1000u)
                           : -1;
  std::uint64_t cookie = 0;
  const bool sent = r >= 0 && sd_bus_message_get_cookie(call, &cookie) >= 0;
  sd_bus_message_unref(call);
  if (!sent) return false;
  pending_[cookie] = std::move(done);
  Rearm();
  return true;
}

void BusConnection::DeliverReply(sd_bus_message* reply) {
  std::uint64_t cookie = 0;
  if (sd_bus_message_get_reply_cookie(reply, &cookie) < 0) return;
  auto it = pending_.find(cookie);
  if (it == pending_.end()) return;
  ReplyHandler done = std::move(it->second);
  pending_.erase(it);
  if (done) done(reply);
}

void BusConnection::Process() {
  // Handlers never run the event loop, but a dialog's nested loop may call in here while an
  // outer pass is on its way out: the library must not be entered twice.
  if (!connected_ || processing_) return;
  processing_ = true;
  int r = 0;
  for (int n = 0; n < kMessagesPerPass && (r = sd_bus_process(bus_, nullptr)) > 0; ++n) {
  }
  processing_ = false;
  if (r < 0) return Drop();
  if (r > 0) {  // more waiting: after the event loop's turn
    armedDeadlineUs_ = 0;
    timeout_->start(0);
    return;
  }
  Rearm();
}

void BusConnection::Rearm() {
  if (!connected_) return;
  const int events = sd_bus_get_events(bus_);
  const bool wantWrite = events > 0 && (events & POLLOUT);
  if (write_->isEnabled() != wantWrite) write_->setEnabled(wantWrite);
  std::uint64_t deadline = UINT64_MAX;
  if (sd_bus_get_timeout(bus_, &deadline) < 0) deadline = UINT64_MAX;
  if (deadline == armedDeadlineUs_) return;
  armedDeadlineUs_ = deadline;
  if (deadline == UINT64_MAX) {
    timeout_->stop();
    return;
  }
  const std::uint64_t now = MonotonicUs();
  const std::uint64_t waitMs = deadline > now ? (deadline - now + 999) / 1000 : 0;
  timeout_->start(static_cast<int>(std::min<std::uint64_t>(waitMs, 24u * 3600u * 1000u)));
}

// The bus went away (its daemon ended, or it closed the connection): nothing more is read or
// written, and users learn it once.
void BusConnection::Drop() {
  if (!connected_) return;
  connected_ = false;
  read_->setEnabled(false);
  write_->setEnabled(false);
  timeout_->stop();
  pending_.clear();
  emit Disconnected();
}

BusSlot& BusSlot::operator=(BusSlot&& o) noexcept {
  if (this != &o) {
    Reset();
    slot = o.slot;
    o.slot = nullptr;
  }
  return *this;
}

void BusSlot::Reset() { slot = sd_bus_slot_unref(slot); }

}  // namespace platform
