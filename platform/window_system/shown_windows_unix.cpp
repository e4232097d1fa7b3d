#include "platform/window_system/shown_windows.h"

#include <QGuiApplication>
#include <QWindow>
#include <atomic>

namespace platform {

namespace {

std::atomic<bool> shownNote{false};

}  // namespace

void NoteWindowShown() { shownNote.store(true, std::memory_order_relaxed); }

bool TakeWindowShownNote() { return shownNote.exchange(false, std::memory_order_relaxed); }

bool AnyWindowShown() {
  const QWindowList windows = QGuiApplication::allWindows();
  for (const QWindow* w : windows) {
    if (w->isVisible()) return true;
  }
  return false;
}

}  // namespace platform
