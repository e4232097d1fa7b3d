#include "platform/notification_area/icon_state.h"

#include <cstring>
#include <utility>

namespace platform {

namespace {

std::string TipText(const char (&tip)[64]) {
  const void* end = std::memchr(tip, '\0', sizeof tip);
  const std::size_t n = end ? static_cast<const char*>(end) - tip : sizeof tip;
  return std::string(tip, n);
}

}  // namespace

bool NotifyIconState::Apply(std::uint32_t message, const NOTIFYICONDATAA* data, unsigned* changes) {
  *changes = kNoChange;
  if (data == nullptr || data->cbSize < sizeof(NOTIFYICONDATAA)) return false;
  switch (message) {
    case NIM_ADD:
      if (shown_) return false;
      break;
    case NIM_MODIFY:
    case NIM_DELETE:
      if (!shown_ || data->uID != id_) return false;
      break;
    default:
      return false;
  }
  if (message == NIM_DELETE) {
    shown_ = false;
    *changes = kHidden;
    return true;
  }

  bool iconRead = false;
  if (data->uFlags & NIF_ICON) {
    iconRead = gdi::ReadIconImage(data->hIcon, &scratch_);
    if (!iconRead && message == NIM_MODIFY) return false;  // keep the previous picture
  }
  unsigned changed = kNoChange;
  if (message == NIM_ADD) {
    shown_ = true;
    id_ = data->uID;
    changed |= kShown;
  }
  hWnd_ = data->hWnd;
  if (data->uFlags & NIF_MESSAGE) {
    callbackMessage_ = data->uCallbackMessage;
    hasCallback_ = true;
  }
  if (iconRead && (scratch_.width != icon_.width || scratch_.height != icon_.height ||
                   scratch_.argb != icon_.argb)) {
    std::swap(scratch_, icon_);
    changed |= kIcon;
  }
  if (data->uFlags & NIF_TIP) {
    // Compare in place first: the tooltip is re-sent with every modify and rarely differs.
    const void* end = std::memchr(data->szTip, '\0', sizeof data->szTip);
    const std::size_t n = end ? static_cast<const char*>(end) - data->szTip : sizeof data->szTip;
    if (tip_.size() != n || tip_.compare(0, n, data->szTip, n) != 0) {
      tip_ = TipText(data->szTip);
      changed |= kTip;
    }
  }
  *changes = changed;
  return true;
}

}  // namespace platform
