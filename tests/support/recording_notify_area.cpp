#include "support/recording_notify_area.h"

namespace platform {

void RecordingNotificationArea::Show(const Picture& picture, const std::string& tooltip,
                                     const PictureLines& lines) {
  if (observer_) observer_(true);
  shows_.push_back({picture, tooltip, lines});
  shown_ = true;
}

void RecordingNotificationArea::Remove() {
  if (observer_) observer_(false);
  ++removals_;
  shown_ = false;
}

}  // namespace platform
