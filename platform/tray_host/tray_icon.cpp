#include "platform/tray_host/tray_icon.h"

#include "platform/tray_host/sni_item.h"
#include "platform/tray_host/sni_watcher.h"
#include "platform/tray_host/xembed_icon.h"

namespace platform {

TrayIcon::TrayIcon(std::shared_ptr<BusConnection> bus, QObject* parent)
    : QObject(parent),
      sni_(new SniItem(bus, this)),
      watcher_(new SniWatcherTracker(bus, this)),
      xembed_(new XEmbedTrayIcon(this)) {
  connect(watcher_, &SniWatcherTracker::Changed, this, [this] { Decide(); });
  connect(watcher_, &SniWatcherTracker::Appeared, this, [this] {
    if (sni_->Visible()) sni_->RegisterWithWatcher();  // a restarted watcher forgot the item
  });
  connect(xembed_, &XEmbedTrayIcon::TrayChanged, this, [this] { Decide(); });
  // Hosts report the gesture that opens (Activate), the menu request and scrolls; the XEmbed
  // icon turns real clicks and wheel turns into the same.
  connect(sni_, &SniItem::Activated, this, &TrayIcon::Activated);
  connect(sni_, &SniItem::ContextMenuRequested, this, &TrayIcon::ContextMenuRequested);
  connect(sni_, &SniItem::Scrolled, this, &TrayIcon::Scrolled);
  connect(xembed_, &XEmbedTrayIcon::Activated, this, &TrayIcon::Activated);
  connect(xembed_, &XEmbedTrayIcon::ContextMenuRequested, this, &TrayIcon::ContextMenuRequested);
  connect(xembed_, &XEmbedTrayIcon::Scrolled, this, &TrayIcon::Scrolled);
}

std::shared_ptr<TrayIcon> TrayIcon::OnSessionBus() {
  return std::make_shared<TrayIcon>(BusConnection::OpenSession());
}

TrayIcon::~TrayIcon() {
  sni_->Hide();
  xembed_->SetWanted(false);
}

void TrayIcon::SetPicture(const TrayPicture& picture) {
  picture_ = picture;
  if (host_ == Host::StatusNotifier) sni_->SetIcon(picture_);
  if (host_ == Host::XEmbed) xembed_->SetIcon(picture_);
}

void TrayIcon::SetToolTip(const QString& tip) {
  sni_->SetTip(tip);
  xembed_->SetTip(tip);
}

void TrayIcon::SetDescription(const QString& text) { sni_->SetAccessibleDesc(text); }

void TrayIcon::SetMenu(TrayMenu* menu) { sni_->SetMenu(menu); }

void TrayIcon::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Decide();
}

bool TrayIcon::HostPresent() const {
  return host_ == Host::XEmbed || (host_ == Host::StatusNotifier && watcher_->HostRegistered());
}

void TrayIcon::Decide() {
  const bool had = HostPresent();
  ChooseHost();
  if (HostPresent() != had) emit HostPresenceChanged(!had);
}

void TrayIcon::ChooseHost() {
  Host next = Host::None;
  if (visible_) {
    const bool tray = xembed_->TrayPresent();
    if (watcher_->Present() && !watcher_->HostKnown()) {
      // Whether the watcher has a host is on its way (bounded by the tracker's wait): keep
      // what is in use rather than dock in one tray only to move to the other a moment later.
      next = (host_ == Host::XEmbed && !tray) ? Host::None : host_;
    } else if (watcher_->Present() && (watcher_->HostRegistered() || !tray)) {
      // A watcher without a host shows nothing; with an XEmbed tray at hand, use that instead.
      next = Host::StatusNotifier;
    } else if (tray) {
      next = Host::XEmbed;
    }
  }
  if (next == host_) return;
  host_ = next;
  if (host_ != Host::XEmbed) xembed_->SetWanted(false);
  if (host_ != Host::StatusNotifier) sni_->Hide();
  if (host_ == Host::StatusNotifier) {
    sni_->SetIcon(picture_);
    if (!sni_->Show()) host_ = xembed_->TrayPresent() ? Host::XEmbed : Host::None;
  }
  if (host_ == Host::XEmbed) {
    xembed_->SetIcon(picture_);
    xembed_->SetWanted(true);
  }
}

}  // namespace platform
