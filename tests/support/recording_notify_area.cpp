#include "support/recording_notify_area.h"

namespace platform {

void RecordingNotificationArea::Show(const Picture& picture, const std::string& tooltip) {
  if (observer_) observer_(true);
  shows_.push_back({picture, tooltip});
  shown_ = true;
}

void RecordingNotificationArea::Remove() {
  if (observer_) observer_(false);
  ++removals_;
  shown_ = false;
}

}  // namespace platform
