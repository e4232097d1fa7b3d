#include "support/recording_notify_area.h"

namespace platform {

bool RecordingNotificationArea::Shell_NotifyIconA(std::uint32_t message,
                                                  const NOTIFYICONDATAA* data) {
  if (observer_) observer_(message);
  Request request;
  request.message = message;
  if (data != nullptr) {
    request.data = *data;
    if (data->uFlags & NIF_ICON) request.iconRead = gdi::ReadIconImage(data->hIcon, &request.icon);
    if (data->uFlags & NIF_MESSAGE) callbackMessage_ = data->uCallbackMessage;
    hWnd_ = data->hWnd;
  }
  requests_.push_back(std::move(request));
  if (data == nullptr) return false;
  if (message == NIM_ADD) shown_ = true;
  if (message == NIM_DELETE) shown_ = false;
  return true;
}

void RecordingNotificationArea::Fire(std::uint32_t mouse) { Notify(hWnd_, callbackMessage_, mouse); }

}  // namespace platform
