#include "platform/notification_area/notification_area_unix.h"

#include <QString>

#include "platform/notification_area/desktop_tray.h"
#include "platform/notification_area/popup_menu_mirror_unix.h"

namespace platform {

namespace {

// Hosts may send several activations for one gesture (or a user clicks on and on while the
// window comes up): repeats within this time of a delivery are one request.
constexpr int kQuietMs = 300;

// Whether a host shows the desktop tray's icon.
class TrayIconPresence : public TrayHostPresence {
 public:
  explicit TrayIconPresence(std::shared_ptr<TrayIcon> icon) : icon_(std::move(icon)) {
    changed_ = QObject::connect(icon_.get(), &TrayIcon::HostPresenceChanged, icon_.get(),
                                [this](bool present) { NotifyHost(present); });
  }
  ~TrayIconPresence() override { QObject::disconnect(changed_); }
  bool HostPresent() const override { return icon_->HostPresent(); }

 private:
  std::shared_ptr<TrayIcon> icon_;
  QMetaObject::Connection changed_;
};

}  // namespace

DesktopNotificationArea::DesktopNotificationArea(std::shared_ptr<TrayIcon> icon)
    : icon_(std::move(icon)), callbacks_([this](std::uint32_t mouse) { Deliver(mouse); }, kQuietMs) {
  // The host's gestures go through one queue, so a burst is delivered once and never inside
  // another delivery.
  connect(icon_.get(), &TrayIcon::Activated, this, [this] { callbacks_.Post(WM_LBUTTONDBLCLK); });
  connect(icon_.get(), &TrayIcon::ContextMenuRequested, this, [this] { callbacks_.Post(WM_RBUTTONUP); });
}

bool DesktopNotificationArea::Shell_NotifyIconA(std::uint32_t message, const NOTIFYICONDATAA* data) {
  unsigned changes = 0;
  if (!state_.Apply(message, data, &changes)) return false;
  // The common case, every tick: the same pixels again, nothing for any host to do.
  if (changes == NotifyIconState::kNoChange) return true;
  if (changes & NotifyIconState::kTip) icon_->SetToolTip(QString::fromLatin1(state_.Tip()));
  if (changes & NotifyIconState::kIcon) {
    const gdi::IconImage& image = state_.Icon();
    picture_.width = image.width;
    picture_.height = image.height;
    picture_.argb.assign(image.argb.begin(), image.argb.end());
    icon_->SetPicture(picture_);
  }
  if (changes & (NotifyIconState::kShown | NotifyIconState::kHidden)) icon_->SetVisible(state_.Shown());
  return true;
}

void DesktopNotificationArea::Deliver(std::uint32_t mouse) {
  if (state_.Shown() && state_.HasCallback()) Notify(state_.Window(), state_.CallbackMessage(), mouse);
}

DesktopTray OpenDesktopTray(PopupMenu* menu, const std::string& description) {
  std::shared_ptr<TrayIcon> icon = TrayIcon::OnSessionBus();
  icon->SetMenu(menu != nullptr ? MirrorPopupMenu(*menu) : nullptr);
  icon->SetDescription(QString::fromStdString(description));
  DesktopTray tray;
  tray.area = std::make_unique<DesktopNotificationArea>(icon);
  tray.hosts = std::make_unique<TrayIconPresence>(icon);
  return tray;
}

}  // namespace platform
