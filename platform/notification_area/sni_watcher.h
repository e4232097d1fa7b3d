// Follows the session bus's StatusNotifierWatcher: whether one is running, whether a host
// (a panel that shows items) has registered with it, and each time a watcher appears anew.
#pragma once

#include <QDBusConnection>
#include <QObject>

class QDBusServiceWatcher;

namespace platform {

class SniWatcherTracker : public QObject {
  Q_OBJECT

 public:
  explicit SniWatcherTracker(QDBusConnection bus, QObject* parent = nullptr);
  bool Present() const { return present_; }
  bool HostRegistered() const { return hostRegistered_; }
  bool HostKnown() const { return hostKnown_; }  // false while the answer is on its way

 signals:
  void Appeared();  // a watcher took the name (also after a restart): items must register
  void Changed();   // presence or host state changed

 private slots:
  void OnHostRegistered();
  void OnHostUnregistered();

 private:
  void OnOwner(const QString& owner);
  void QueryHost();

  QDBusConnection bus_;
  QDBusServiceWatcher* names_;
  bool present_ = false;
  bool hostRegistered_ = false;
  bool hostKnown_ = false;
  quint64 generation_ = 0;  // drops answers meant for an earlier watcher
};

}  // namespace platform
