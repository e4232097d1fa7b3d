// Follows the session bus's StatusNotifierWatcher: whether one is running, whether a host
// (a panel that shows items) has registered with it, and each time a watcher appears anew.
#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "platform/tray_host/bus_connection.h"

class QTimer;

namespace platform {

class SniWatcherTracker : public QObject {
  Q_OBJECT

 public:
  explicit SniWatcherTracker(std::shared_ptr<BusConnection> bus, QObject* parent = nullptr);
  bool Present() const { return present_; }
  bool HostRegistered() const { return hostRegistered_; }
  bool HostKnown() const { return hostKnown_; }  // false while the answer is on its way

  // How long a watcher that has just appeared without a host is given for one to register.
  static constexpr int kHostWaitMs = 3000;

 signals:
  // A watcher took the name (also after a restart) and items may register: once its host has
  // registered, or it had none within kHostWaitMs.
  void Appeared();
  void Changed();  // presence or host state changed

 private:
  void OnHostRegistered();
  void OnHostUnregistered();
  void AskOwner();
  void OnOwner(const std::string& owner);
  void QueryHost();
  void SetHost(bool registered);

  std::shared_ptr<BusConnection> bus_;
  BusSlot ownerChanged_, hostRegisteredMatch_, hostUnregisteredMatch_;
  QTimer* hostWait_;
  bool present_ = false;
  bool hostRegistered_ = false;
  bool hostKnown_ = false;
  bool appeared_ = false;   // Appeared sent for this watcher
  quint64 generation_ = 0;  // drops answers meant for an earlier watcher
};

}  // namespace platform
