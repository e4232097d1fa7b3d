#include "platform/window_system/font_caches.h"

#include <dlfcn.h>

#include <QGuiApplication>
#include <QWindow>

namespace platform {

namespace {

// The toolkit's per-thread font cache has no public interface; its static cleanup entry point
// is looked up in the loaded library by its linker name. Cleanup drops the calling thread's
// whole cache, and the next font use starts a new one under a new identity: fonts still held
// by widgets see the change and load again through the new cache, so the engines they load
// then are let go by the next release too. Merely clearing the cache in place would leave
// those fonts bound to their old records, outside any cache, and what they load after the
// first release would never be let go. A toolkit without the entry point is left alone.
using CacheCleanup = void (*)();

}  // namespace

void ReleaseFontCaches() {
  static const auto cleanup =
      reinterpret_cast<CacheCleanup>(::dlsym(RTLD_DEFAULT, "_ZN10QFontCache7cleanupEv"));
  if (cleanup != nullptr) cleanup();
}

bool AnyWindowShown() {
  const QWindowList windows = QGuiApplication::allWindows();
  for (const QWindow* w : windows) {
    if (w->isVisible()) return true;
  }
  return false;
}

}  // namespace platform
