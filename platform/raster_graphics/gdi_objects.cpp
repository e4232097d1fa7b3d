// The object table (handles, lifetimes, selection) and the device-context functions.
#include <cstring>
#include <deque>

#include "platform/raster_graphics/gdi_internal.h"

namespace gdi {
namespace detail {
namespace {

// A handle is the slot index + 1 in the low 20 bits and the slot's generation in the high 12,
// so a stale handle to a recycled slot is recognised as dead.
constexpr std::uint32_t kIndexBits = 20;
constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;
// Freed slots keep pixel buffers up to this many words (a 128 x 128 image) for the next object:
// icons come and go on every tick. Bigger buffers (a graph's snapshot, made only while the
// window is shown) go back to the heap, so a slot never pins one once its owner is gone.
constexpr std::size_t kRecycledWords = 128 * 128;

struct Slot {
  Kind kind = Kind::Free;
  bool stock = false;
  std::uint32_t generation = 1;
  Dc dc;
  Bitmap bitmap;
  Icon icon;
};

struct Table {
  std::deque<Slot> slots;  // a deque keeps records in place while the table grows
  std::vector<std::uint32_t> freeList;
  std::size_t live = 0;
  HBITMAP stockBitmap = 0;
  HDC screenDc = 0;

  Table() {
    Bitmap* b = nullptr;
    stockBitmap = Create(Kind::Bitmap, true);
    b = &At(stockBitmap)->bitmap;
    Allocate(*b, Fmt::Mono, 1, 1);
    screenDc = Create(Kind::Dc, true);
    At(screenDc)->dc.screen = true;
  }

  HGDIOBJ Create(Kind kind, bool stock) {
    std::uint32_t index;
    if (!freeList.empty()) {
      index = freeList.back();
      freeList.pop_back();
    } else {
      if (slots.size() >= kIndexMask) return 0;
      index = static_cast<std::uint32_t>(slots.size());
      slots.emplace_back();
    }
    Slot& s = slots[index];
    s.kind = kind;
    s.stock = stock;
    if (!stock) ++live;
    return (s.generation << kIndexBits) | (index + 1);
  }

  Slot* At(HGDIOBJ h) {
    const std::uint32_t index = (h & kIndexMask);
    if (index == 0 || index > slots.size()) return nullptr;
    Slot& s = slots[index - 1];
    if (s.kind == Kind::Free || s.generation != (h >> kIndexBits)) return nullptr;
    return &s;
  }

  void Free(HGDIOBJ h) {
    Slot* s = At(h);
    if (s == nullptr || s->stock) return;
    s->kind = Kind::Free;
    s->generation = s->generation % ((1u << (32 - kIndexBits)) - 1) + 1;  // 1..4095
    s->dc = Dc{};
    // Keep the pixel buffers' capacity for the next object of this slot.
    Bitmap& b = s->bitmap;
    b.selectedIn = 0;
    b.data = nullptr;
    b.table.clear();
    if (b.store.capacity() > kRecycledWords) std::vector<std::uint32_t>().swap(b.store);
    --live;
    freeList.push_back((h & kIndexMask) - 1);
  }
};

Table& T() {
  static Table table;
  return table;
}

}  // namespace

Dc* FindDc(HDC h) {
  Slot* s = T().At(h);
  return s && s->kind == Kind::Dc ? &s->dc : nullptr;
}
Bitmap* FindBitmap(HBITMAP h) {
  Slot* s = T().At(h);
  return s && s->kind == Kind::Bitmap ? &s->bitmap : nullptr;
}
Icon* FindIcon(HICON h) {
  Slot* s = T().At(h);
  return s && s->kind == Kind::Icon ? &s->icon : nullptr;
}
Bitmap* SelectedBitmap(HDC h) {
  Dc* dc = FindDc(h);
  return dc ? FindBitmap(dc->bitmap) : nullptr;
}

HBITMAP NewBitmap(Bitmap** out) {
  HBITMAP h = T().Create(Kind::Bitmap, false);
  *out = h ? &T().At(h)->bitmap : nullptr;
  return h;
}
HICON NewIcon(Icon** out) {
  HICON h = T().Create(Kind::Icon, false);
  *out = h ? &T().At(h)->icon : nullptr;
  return h;
}
HDC NewDc(Dc** out) {
  HDC h = T().Create(Kind::Dc, false);
  *out = h ? &T().At(h)->dc : nullptr;
  return h;
}
void FreeObject(HGDIOBJ h) { T().Free(h); }
HBITMAP StockBitmap() { return T().stockBitmap; }
HDC ScreenDc() { return T().screenDc; }

}  // namespace detail

using namespace detail;

int GetObjectA(HGDIOBJ h, int cb, void* out) {
  const Bitmap* b = FindBitmap(h);
  if (b == nullptr || out == nullptr || cb < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP bm{};
  bm.bmType = OBJ_BITMAP_TYPE;
  bm.bmWidth = b->width;
  bm.bmHeight = b->height;
  bm.bmWidthBytes = b->dib ? b->stride : (b->width * b->bpp + 15) / 16 * 2;
  bm.bmPlanes = 1;
  bm.bmBitsPixel = static_cast<WORD>(b->bpp);
  bm.bmBits = b->dib ? b->data : nullptr;
  std::memcpy(out, &bm, sizeof bm);
  return sizeof bm;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ obj) {
  Dc* d = FindDc(dc);
  Bitmap* b = FindBitmap(obj);
  if (d == nullptr || b == nullptr || d->screen) return 0;
  const bool stock = obj == StockBitmap();
  if (!stock && b->selectedIn != 0 && b->selectedIn != dc) return 0;
  const HGDIOBJ previous = d->bitmap;
  if (previous == obj) return previous;
  if (Bitmap* old = FindBitmap(previous); old && previous != StockBitmap()) old->selectedIn = 0;
  if (!stock) b->selectedIn = dc;
  d->bitmap = obj;
  return previous;
}

BOOL DeleteObject(HGDIOBJ obj) {
  if (obj == StockBitmap()) return 1;  // stock objects are never freed
  Bitmap* b = FindBitmap(obj);
  if (b == nullptr || b->selectedIn != 0) return 0;
  FreeObject(obj);
  return 1;
}

HDC CreateCompatibleDC(HDC dc) {
  if (dc != 0 && FindDc(dc) == nullptr) return 0;
  Dc* d = nullptr;
  HDC h = NewDc(&d);
  if (h) d->bitmap = StockBitmap();
  return h;
}

BOOL DeleteDC(HDC dc) {
  Dc* d = FindDc(dc);
  if (d == nullptr || d->screen) return 0;
  if (Bitmap* b = FindBitmap(d->bitmap); b && d->bitmap != StockBitmap()) b->selectedIn = 0;
  FreeObject(dc);
  return 1;
}

// One desktop window, whose context is the screen's.
HWND GetDesktopWindow() { return 0x00010010; }

HDC GetDC(HWND wnd) { return wnd == 0 || wnd == GetDesktopWindow() ? ScreenDc() : 0; }

int ReleaseDC(HWND, HDC dc) { return dc == ScreenDc() ? 1 : 0; }

COLORREF SetBkColor(HDC dc, COLORREF c) {
  Dc* d = FindDc(dc);
  if (d == nullptr) return CLR_INVALID;
  const COLORREF old = d->bk;
  d->bk = c & 0xFFFFFF;
  return old;
}

COLORREF SetTextColor(HDC dc, COLORREF c) {
  Dc* d = FindDc(dc);
  if (d == nullptr) return CLR_INVALID;
  const COLORREF old = d->text;
  d->text = c & 0xFFFFFF;
  return old;
}

int SetStretchBltMode(HDC dc, int mode) {
  Dc* d = FindDc(dc);
  if (d == nullptr || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  const int old = d->stretchMode;
  d->stretchMode = mode;
  return old;
}

int GetDeviceBitsPixel(HDC dc) {
  Dc* d = FindDc(dc);
  if (d == nullptr) return 0;
  if (d->screen) return 32;
  const Bitmap* b = FindBitmap(d->bitmap);
  return b ? b->bpp : 0;
}

std::size_t LiveObjectCount() { return T().live; }

}  // namespace gdi
