// A notification area that shows nothing: it records what it is asked to show and remove, lets
// a test send the requests a tray host would, and has tray hosts that come and go as a test
// says.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/notification_area/notification_area.h"

namespace platform {

class RecordingNotificationArea : public NotificationArea {
 public:
  struct Shown {
    Picture picture;
    std::string tooltip;
    PictureLines lines;
  };

  using NotificationArea::Show;
  void Show(const Picture& picture, const std::string& tooltip, const PictureLines& lines) override;
  void Remove() override;
  bool HostPresent() const override { return present_; }

  // The user's request on the icon, as a host reports it (only a shown icon takes requests).
  void Fire(Request request) {
    if (shown_) Ask(request);
  }
  // A tray host appears or goes, as the desktop's would.
  void SetHostPresent(bool present) {
    present_ = present;
    HostChanged(present);
  }
  // Called as each Show (true) or Remove (false) arrives, before it is recorded.
  void SetObserver(std::function<void(bool show)> observer) { observer_ = std::move(observer); }

  // Every picture shown, in order, and how many removals came.
  const std::vector<Shown>& Pictures() const { return shows_; }
  int Removals() const { return removals_; }
  // Whether the icon is shown: after a Show, until a Remove.
  bool IsShown() const { return shown_; }

 private:
  std::vector<Shown> shows_;
  std::function<void(bool)> observer_;
  int removals_ = 0;
  bool shown_ = false;
  bool present_ = true;
};

}  // namespace platform
