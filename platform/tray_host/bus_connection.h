// A D-Bus connection served from the program's own event loop (sd-bus under a socket
// notifier). Sending a signal writes it to the socket at once, and a request is answered when
// it arrives: no second thread is woken for either, which a toolkit bus connection (it reads
// and writes on a thread of its own) cannot avoid.
//
// Users call sd-bus directly on Bus() and then AfterSend(), so that a write the socket could
// not take at once, and any reply timeout, get their wake-up.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

struct sd_bus;
struct sd_bus_message;
struct sd_bus_slot;
class QSocketNotifier;
class QTimer;

namespace platform {

class BusConnection : public QObject {
  Q_OBJECT

 public:
  // The user's session bus ($DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus), or the
  // bus at address. Null when it cannot be reached.
  static std::shared_ptr<BusConnection> OpenSession();
  static std::shared_ptr<BusConnection> Open(const std::string& address);
  ~BusConnection() override;

  sd_bus* Bus() const { return bus_; }
  bool Connected() const { return connected_; }
  // The connection's unique name; empty until the bus has greeted it (or once it is gone).
  std::string UniqueName() const;
  void AfterSend();

  // A method call whose reply (or error, also a timeout's) goes to done from the event loop.
  // The call is consumed; false when it could not be sent.
  using ReplyHandler = std::function<void(sd_bus_message* reply)>;
  bool CallAsync(sd_bus_message* call, int timeoutMs, ReplyHandler done);

  // Requests handled per wake-up before the event loop gets a turn (a flood of them must not
  // freeze the window); the rest follow on the next pass.
  static constexpr int kMessagesPerPass = 64;

 signals:
  void Disconnected();

 private:
  explicit BusConnection(sd_bus* bus);
  void Process();
  void Rearm();
  void Drop();
  friend struct BusReplyRelay;
  void DeliverReply(sd_bus_message* reply);

  sd_bus* bus_;
  bool connected_ = true;
  QSocketNotifier* read_ = nullptr;
  QSocketNotifier* write_ = nullptr;
  QTimer* timeout_ = nullptr;
  std::uint64_t armedDeadlineUs_ = UINT64_MAX;
  bool processing_ = false;
  std::unordered_map<std::uint64_t, ReplyHandler> pending_;  // by the call's cookie
};

// Owns one registration on a connection (an object, a match): released with it.
struct BusSlot {
  BusSlot() = default;
  explicit BusSlot(sd_bus_slot* s) : slot(s) {}
  BusSlot(const BusSlot&) = delete;
  BusSlot& operator=(const BusSlot&) = delete;
  BusSlot(BusSlot&& o) noexcept : slot(o.slot) { o.slot = nullptr; }
  BusSlot& operator=(BusSlot&& o) noexcept;
  ~BusSlot() { Reset(); }
  void Reset();
  explicit operator bool() const { return slot != nullptr; }
  sd_bus_slot* slot = nullptr;
};

}  // namespace platform
