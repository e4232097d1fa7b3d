#include "platform/notification_area/notification_area_unix.h"

#include <QString>

#include "platform/notification_area/popup_menu_mirror_unix.h"

namespace platform {

namespace {

// Hosts may send several activations for one gesture (or a user clicks on and on while the
// window comes up): repeats within this time of a delivery are one request.
constexpr int kQuietMs = 300;

constexpr std::uint32_t kOpen = 0;
constexpr std::uint32_t kMenu = 1;

}  // namespace

DesktopNotificationArea::DesktopNotificationArea(std::shared_ptr<TrayIcon> icon)
    : icon_(std::move(icon)),
      requests_(
          [this](std::uint32_t request) {
            if (shown_) Ask(request == kOpen ? Request::Open : Request::Menu);
          },
          kQuietMs) {
  // The host's gestures go through one queue, so a burst is delivered once and never inside
  // another delivery.
  connect(icon_.get(), &TrayIcon::Activated, this, [this] { requests_.Post(kOpen); });
  connect(icon_.get(), &TrayIcon::ContextMenuRequested, this, [this] { requests_.Post(kMenu); });
  connect(icon_.get(), &TrayIcon::HostPresenceChanged, this, [this](bool present) { HostChanged(present); });
}

void DesktopNotificationArea::Show(const Picture& picture, const std::string& tooltip, const PictureLines&) {
  // Hosts are asked for work only for what they show differently.
  if (!shown_ || tooltip != tooltip_) {
    tooltip_ = tooltip;
    icon_->SetToolTip(QString::fromStdString(tooltip));
  }
  if (!shown_ || picture != picture_) {
    picture_ = picture;
    icon_->SetPicture(picture_);
  }
  if (!shown_) icon_->SetVisible(true);
  shown_ = true;
}

void DesktopNotificationArea::Remove() {
  if (!shown_) return;
  shown_ = false;
  icon_->SetVisible(false);
}

std::unique_ptr<NotificationArea> OpenDesktopTray(PopupMenu* menu, const std::string& description) {
  std::shared_ptr<TrayIcon> icon = TrayIcon::OnSessionBus();
  icon->SetMenu(menu != nullptr ? MirrorPopupMenu(*menu) : nullptr);
  icon->SetDescription(QString::fromStdString(description));
  return std::make_unique<DesktopNotificationArea>(icon);
}

}  // namespace platform
