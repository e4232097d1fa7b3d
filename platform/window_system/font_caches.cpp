#include "platform/window_system/font_caches.h"

#include <dlfcn.h>

#include <QGuiApplication>
#include <QWindow>

namespace platform {

namespace {

// The toolkit's per-thread font cache has no public interface; its two entry points are looked
// up in the loaded library by their linker names. A toolkit without them is left alone.
using CacheInstance = void* (*)();
using CacheClear = void (*)(void* cache);  // a member function: the object comes first

struct FontCacheEntry {
  CacheInstance instance = nullptr;
  CacheClear clear = nullptr;
};

FontCacheEntry LookUp() {
  FontCacheEntry e;
  e.instance = reinterpret_cast<CacheInstance>(::dlsym(RTLD_DEFAULT, "_ZN10QFontCache8instanceEv"));
  e.clear = reinterpret_cast<CacheClear>(::dlsym(RTLD_DEFAULT, "_ZN10QFontCache5clearEv"));
  return e;
}

}  // namespace

void ReleaseFontCaches() {
  static const FontCacheEntry entry = LookUp();
  if (entry.instance == nullptr || entry.clear == nullptr) return;
  if (void* cache = entry.instance()) entry.clear(cache);
}

bool AnyWindowShown() {
  const QWindowList windows = QGuiApplication::allWindows();
  for (const QWindow* w : windows) {
    if (w->isVisible()) return true;
  }
  return false;
}

}  // namespace platform
