#include "platform/notification_area/desktop_notify_area.h"

#include <QMenu>

#include "platform/notification_area/sni_item.h"
#include "platform/notification_area/sni_watcher.h"
#include "platform/notification_area/xembed_icon.h"

namespace platform {

namespace {

// Hosts may send several activations for one gesture (or a user clicks on and on while the
// window comes up): repeats within this time of a delivery are one request.
constexpr int kQuietMs = 300;

}  // namespace

DesktopNotificationArea::DesktopNotificationArea(std::shared_ptr<BusConnection> bus)
    : sni_(new SniItem(bus, this)),
      watcher_(new SniWatcherTracker(bus, this)),
      xembed_(new XEmbedTrayIcon(this)),
      callbacks_([this](std::uint32_t mouse) { Deliver(mouse); }, kQuietMs) {
  connect(watcher_, &SniWatcherTracker::Changed, this, [this] { Decide(); });
  connect(watcher_, &SniWatcherTracker::Appeared, this, [this] {
    if (sni_->Visible()) sni_->RegisterWithWatcher();  // a restarted watcher forgot the item
  });
  connect(xembed_, &XEmbedTrayIcon::TrayChanged, this, [this] { Decide(); });
  // Hosts report the gesture that opens the window (Activate) and the menu request; the
  // XEmbed icon reports real double-clicks and right-button releases. All go through one
  // queue, so a burst is delivered once and never inside another delivery.
  connect(sni_, &SniItem::Activated, this, [this] { callbacks_.Post(WM_LBUTTONDBLCLK); });
  connect(sni_, &SniItem::ContextMenuRequested, this, [this] { callbacks_.Post(WM_RBUTTONUP); });
  connect(xembed_, &XEmbedTrayIcon::Mouse, this, [this](std::uint32_t m) { callbacks_.Post(m); });
}

DesktopNotificationArea::~DesktopNotificationArea() {
  sni_->Hide();
  xembed_->SetWanted(false);
}

bool DesktopNotificationArea::Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATAA* data) {
  unsigned changes = 0;
  if (!state_.Apply(message, data, &changes)) return false;
  // The common case, every tick: the same pixels again, nothing for any host to do.
  if (changes == NotifyIconState::kNoChange) return true;
  if (changes & NotifyIconState::kTip) {
    const QString tip = QString::fromLatin1(state_.Tip());
    sni_->SetTip(tip);
    xembed_->SetTip(tip);
  }
  if (changes & NotifyIconState::kIcon) {
    if (host_ == Host::StatusNotifier) sni_->SetIcon(state_.Icon());
    if (host_ == Host::XEmbed) xembed_->SetIcon(state_.Icon());
  }
  if (changes & (NotifyIconState::kShown | NotifyIconState::kHidden)) Decide();
  return true;
}

void DesktopNotificationArea::SetExportedMenu(QMenu* menu) { sni_->SetMenu(menu); }

void DesktopNotificationArea::SetIconDescription(const std::string& text) {
  sni_->SetAccessibleDesc(QString::fromStdString(text));
}

bool DesktopNotificationArea::HostPresent() const {
  return host_ == Host::XEmbed || (host_ == Host::StatusNotifier && watcher_->HostRegistered());
}

void DesktopNotificationArea::Decide() {
  const bool had = HostPresent();
  ChooseHost();
  if (HostPresent() != had) NotifyHost(!had);
}

void DesktopNotificationArea::ChooseHost() {
  Host next = Host::None;
  if (state_.Shown()) {
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
    sni_->SetIcon(state_.Icon());
    if (!sni_->Show()) host_ = xembed_->TrayPresent() ? Host::XEmbed : Host::None;
  }
  if (host_ == Host::XEmbed) {
    xembed_->SetIcon(state_.Icon());
    xembed_->SetWanted(true);
  }
}

void DesktopNotificationArea::Deliver(std::uint32_t mouse) {
  if (state_.Shown() && state_.HasCallback()) Notify(state_.Window(), state_.CallbackMessage(), mouse);
}

std::unique_ptr<NotificationArea> CreateDesktopNotificationArea() {
  return std::make_unique<DesktopNotificationArea>(BusConnection::OpenSession());
}

}  // namespace platform
