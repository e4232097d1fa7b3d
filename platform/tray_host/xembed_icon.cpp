#include "platform/tray_host/xembed_icon.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStyleHints>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "platform/pictures/scaled_picture.h"

namespace platform {

namespace {

constexpr std::uint32_t kRequestDock = 0;
constexpr std::uint32_t kXEmbedMapped = 1;

// The screen number of $DISPLAY (":0.1" -> 1), as the X client library reads it.
int DisplayScreen() {
  const char* d = std::getenv("DISPLAY");
  if (d == nullptr) return 0;
  const char* colon = std::strrchr(d, ':');
  const char* dot = colon ? std::strchr(colon, '.') : nullptr;
  return dot ? std::atoi(dot + 1) : 0;
}

std::uint32_t DoubleClickMs() {
  return qGuiApp ? static_cast<std::uint32_t>(QGuiApplication::styleHints()->mouseDoubleClickInterval())
                 : 400u;
}

}  // namespace

XEmbedTrayIcon::XEmbedTrayIcon(QObject* parent) : QObject(parent), clicks_(DoubleClickMs()) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) return;
  conn_ = x11->connection();

  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn_));
  for (int n = DisplayScreen(); n > 0 && it.rem > 1; --n) xcb_screen_next(&it);
  screen_ = it.data;
  root_ = screen_->root;

  const QByteArray sel = "_NET_SYSTEM_TRAY_S" + QByteArray::number(DisplayScreen());
  selection_ = Atom(sel.constData());
  opcode_ = Atom("_NET_SYSTEM_TRAY_OPCODE");
  manager_ = Atom("MANAGER");
  xembedInfo_ = Atom("_XEMBED_INFO");
  netWmName_ = Atom("_NET_WM_NAME");
  netWmPid_ = Atom("_NET_WM_PID");
  utf8_ = Atom("UTF8_STRING");
  trayVisual_ = Atom("_NET_SYSTEM_TRAY_VISUAL");

  // A new tray announces itself to the root window with a MANAGER client message.
  SelectEvents(root_, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
  QCoreApplication::instance()->installNativeEventFilter(this);
  SetOwner(QueryOwner());
}

XEmbedTrayIcon::~XEmbedTrayIcon() {
  if (conn_ == nullptr) return;
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
  DestroyWindow();
}

xcb_atom_t XEmbedTrayIcon::Atom(const char* name) {
  xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
      conn_, xcb_intern_atom(conn_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t a = r ? r->atom : 0;
  std::free(r);
  return a;
}

// Adds to the events this client already receives from w (the toolkit selects some on root).
void XEmbedTrayIcon::SelectEvents(xcb_window_t w, std::uint32_t add) {
  xcb_get_window_attributes_reply_t* r =
      xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, w), nullptr);
  if (r == nullptr) return;  // the window is gone
  const std::uint32_t mask = r->your_event_mask | add;
  std::free(r);
  xcb_change_window_attributes(conn_, w, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(conn_);
}

xcb_window_t XEmbedTrayIcon::QueryOwner() {
  xcb_get_selection_owner_reply_t* r =
      xcb_get_selection_owner_reply(conn_, xcb_get_selection_owner(conn_, selection_), nullptr);
  const xcb_window_t owner = r ? r->owner : 0;
  std::free(r);
  return owner;
}

void XEmbedTrayIcon::SetOwner(xcb_window_t owner) {
  if (owner == owner_) return;
  DestroyWindow();  // docked with the old tray, or left on the root window by it
  owner_ = owner;
  if (owner_ != 0) SelectEvents(owner_, XCB_EVENT_MASK_STRUCTURE_NOTIFY);  // to see it go
  if (owner_ != 0 && wanted_) DockWindow();
  emit TrayChanged();
}

void XEmbedTrayIcon::SetWanted(bool wanted) {
  if (conn_ == nullptr || wanted == wanted_) return;
  wanted_ = wanted;
  if (!wanted_) {
    DestroyWindow();
  } else if (owner_ != 0) {
    DockWindow();
  }
}

void XEmbedTrayIcon::DockWindow() {
  if (window_ != 0) return;
  window_ = xcb_generate_id(conn_);
  width_ = height_ = 22;
  const std::uint32_t events = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                               XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE;
  // Override-redirect keeps window managers away if a dying tray leaves it on the root.
  const xcb_visualid_t visual = TrayVisual();
  argb_ = visual != 0 && DepthOf(visual) == 32;
  if (argb_) {
    // The tray composites: a 32-bit window whose clear colour is fully transparent.
    colormap_ = xcb_generate_id(conn_);
    xcb_create_colormap(conn_, XCB_COLORMAP_ALLOC_NONE, colormap_, root_, visual);
    const std::uint32_t values[] = {0, 0, 1, events, colormap_};
    xcb_create_window(conn_, 32, window_, root_, 0, 0, width_, height_, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT |
                          XCB_CW_EVENT_MASK | XCB_CW_COLORMAP,
                      values);
  } else {
    // ParentRelative: the tray's own background shows through the transparent pixels.
    const std::uint32_t values[] = {XCB_BACK_PIXMAP_PARENT_RELATIVE, 1, events};
    xcb_create_window(conn_, XCB_COPY_FROM_PARENT, window_, root_, 0, 0, width_, height_, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_BACK_PIXMAP | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
  }
  gc_ = xcb_generate_id(conn_);
  xcb_create_gc(conn_, gc_, window_, 0, nullptr);
  const std::uint32_t info[] = {0, kXEmbedMapped};  // protocol version 0, map me when docked
  xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, xembedInfo_, xembedInfo_, 32, 2, info);
  OfferSize(22);  // the common tray size until the tray shows its own
  SetName();
  SetOwnerProperties();

  xcb_client_message_event_t ev{};
  ev.response_type = XCB_CLIENT_MESSAGE;
  ev.format = 32;
  ev.window = owner_;
  ev.type = opcode_;
  ev.data.data32[0] = XCB_CURRENT_TIME;
  ev.data.data32[1] = kRequestDock;
  ev.data.data32[2] = window_;
  xcb_send_event(conn_, 0, owner_, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&ev));
  xcb_flush(conn_);
}

// The visual a compositing tray asks its icons to use, or 0.
xcb_visualid_t XEmbedTrayIcon::TrayVisual() {
  xcb_get_property_reply_t* r = xcb_get_property_reply(
      conn_, xcb_get_property(conn_, 0, owner_, trayVisual_, XCB_ATOM_VISUALID, 0, 1), nullptr);
  xcb_visualid_t v = 0;
  if (r != nullptr && r->format == 32 && xcb_get_property_value_length(r) >= 4)
    v = *static_cast<const xcb_visualid_t*>(xcb_get_property_value(r));
  std::free(r);
  return v;
}

int XEmbedTrayIcon::DepthOf(xcb_visualid_t visual) {
  for (auto d = xcb_screen_allowed_depths_iterator(screen_); d.rem > 0; xcb_depth_next(&d))
    for (auto v = xcb_depth_visuals_iterator(d.data); v.rem > 0; xcb_visualtype_next(&v))
      if (v.data->visual_id == visual) return d.data->depth;
  return 0;
}

// Trays size an icon's slot from its normal hints' minimum size. A tray that gives a
// different height gets offered a square of that height, so the icon fills its slot.
void XEmbedTrayIcon::OfferSize(int side) {
  hintSide_ = side;
  std::uint32_t hints[18] = {};
  hints[0] = 8 | 16;  // PSize | PMinSize
  hints[3] = hints[4] = hints[5] = hints[6] = static_cast<std::uint32_t>(side);
  xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NORMAL_HINTS,
                      XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
  xcb_flush(conn_);
}

void XEmbedTrayIcon::DestroyWindow() {
  if (window_ == 0) return;
  xcb_free_gc(conn_, gc_);
  xcb_destroy_window(conn_, window_);  // the tray sees it go and frees the slot
  if (colormap_ != 0) xcb_free_colormap(conn_, colormap_);
  colormap_ = 0;
  xcb_flush(conn_);
  window_ = 0;
  gc_ = 0;
}

// The window's name carries the tooltip text, so tools can find the docked icon.
void XEmbedTrayIcon::SetName() {
  if (window_ == 0) return;
  xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      static_cast<std::uint32_t>(tip_.size()), tip_.constData());
  const QByteArray utf8 = QString::fromLatin1(tip_).toUtf8();
  xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, netWmName_, utf8_, 8,
                      static_cast<std::uint32_t>(utf8.size()), utf8.constData());
  xcb_flush(conn_);
}

// Class, process and machine, as the toolkit gives the program's other windows: panels name
// a docked icon by its class, and tools find a program's windows by its process id.
void XEmbedTrayIcon::SetOwnerProperties() {
  const QString app = QCoreApplication::applicationName();
  QString instance = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  if (instance.isEmpty()) instance = app.toLower();
  QString cls = app.isEmpty() ? instance : app;
  if (!cls.isEmpty()) cls[0] = cls[0].toUpper();
  const QByteArray wmClass = instance.toLocal8Bit() + '\0' + cls.toLocal8Bit() + '\0';
  xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      static_cast<std::uint32_t>(wmClass.size()), wmClass.constData());
  const std::uint32_t pid = static_cast<std::uint32_t>(getpid());
  xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, netWmPid_, XCB_ATOM_CARDINAL, 32, 1, &pid);
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) == 0)
    xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(std::strlen(host)), host);
}

void XEmbedTrayIcon::SetIcon(const TrayPicture& icon) {
  icon_ = icon;
  Paint();
}

void XEmbedTrayIcon::SetTip(const QString& tip) {
  tip_ = tip.toLatin1();
  SetName();
}

// Clears to the tray's background, then fills each run of same-coloured opaque pixels of the
// picture scaled to the largest square that fits, centred.
void XEmbedTrayIcon::Paint() {
  if (window_ == 0 || icon_.argb.empty()) return;
  const int side = std::min(width_, height_);
  if (side <= 0) return;
  // At the picture's own size no scaling is needed: transparent pixels are skipped anyway.
  Picture scaled;
  const std::uint32_t* px = icon_.argb.data();
  if (side != icon_.width || side != icon_.height) {
    scaled = Scaled(icon_, side, side);
    px = scaled.argb.data();
  }
  const int ox = (width_ - side) / 2, oy = (height_ - side) / 2;
  xcb_clear_area(conn_, 0, window_, 0, 0, 0, 0);

  // The run lists keep their storage from one picture to the next.
  if (runs_.size() > 16) runs_.clear();
  for (auto& run : runs_) run.second.clear();
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side;) {
      const std::uint32_t c = px[y * side + x];
      int end = x + 1;
      while (end < side && px[y * side + end] == c) ++end;
      if ((c >> 24) != 0) {
        auto it = std::find_if(runs_.begin(), runs_.end(), [c](const auto& r) { return r.first == c; });
        if (it == runs_.end()) it = runs_.insert(runs_.end(), {c, {}});
        it->second.push_back({static_cast<std::int16_t>(ox + x), static_cast<std::int16_t>(oy + y),
                              static_cast<std::uint16_t>(end - x), 1});
      }
      x = end;
    }
  }
  for (const auto& [colour, rects] : runs_) {
    if (rects.empty()) continue;
    const std::uint32_t pixel = argb_ ? (colour | 0xFF000000u) : (colour & 0xFFFFFF);  // TrueColor
    xcb_change_gc(conn_, gc_, XCB_GC_FOREGROUND, &pixel);
    xcb_poly_fill_rectangle(conn_, window_, gc_, static_cast<std::uint32_t>(rects.size()), rects.data());
  }
  xcb_flush(conn_);
}

// A wheel notch is reported as the toolkit reports one: 120, away from the user positive.
void XEmbedTrayIcon::Report(TrayGesture gesture) {
  switch (gesture) {
    case TrayGesture::Activate: emit Activated(); break;
    case TrayGesture::ContextMenu: emit ContextMenuRequested(); break;
    case TrayGesture::ScrollUp: emit Scrolled(120, Qt::Vertical); break;
    case TrayGesture::ScrollDown: emit Scrolled(-120, Qt::Vertical); break;
    case TrayGesture::ScrollLeft: emit Scrolled(120, Qt::Horizontal); break;
    case TrayGesture::ScrollRight: emit Scrolled(-120, Qt::Horizontal); break;
    case TrayGesture::None: break;
  }
}

bool XEmbedTrayIcon::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (conn_ == nullptr || eventType != "xcb_generic_event_t") return false;
  auto* ev = static_cast<xcb_generic_event_t*>(message);
  switch (ev->response_type & ~0x80) {
    case XCB_CLIENT_MESSAGE: {
      auto* cm = reinterpret_cast<xcb_client_message_event_t*>(ev);
      if (cm->window == root_ && cm->type == manager_ && cm->data.data32[1] == selection_)
        SetOwner(cm->data.data32[2]);
      return false;
    }
    case XCB_DESTROY_NOTIFY: {
      auto* d = reinterpret_cast<xcb_destroy_notify_event_t*>(ev);
      if (d->window == owner_ && owner_ != 0) {
        SetOwner(QueryOwner());  // usually none; a successor may already hold the selection
      } else if (d->window == window_) {
        window_ = 0;
      }
      return false;
    }
    case XCB_CONFIGURE_NOTIFY: {
      auto* c = reinterpret_cast<xcb_configure_notify_event_t*>(ev);
      if (c->window != window_ || window_ == 0) return false;
      if (c->width != width_ || c->height != height_) {
        width_ = c->width;
        height_ = c->height;
        if (height_ != width_ && height_ != hintSide_ && height_ >= 8 && height_ <= 256) OfferSize(height_);
        Paint();
      }
      return true;
    }
    case XCB_EXPOSE: {
      auto* e = reinterpret_cast<xcb_expose_event_t*>(ev);
      if (e->window != window_ || window_ == 0) return false;
      if (e->count == 0) Paint();
      return true;
    }
    case XCB_BUTTON_PRESS:
    case XCB_BUTTON_RELEASE: {
      auto* b = reinterpret_cast<xcb_button_press_event_t*>(ev);
      if (b->event != window_ || window_ == 0) return false;
      const bool press = (ev->response_type & ~0x80) == XCB_BUTTON_PRESS;
      Report(press ? clicks_.Press(b->detail, b->time) : clicks_.Release(b->detail, b->time));
      return true;
    }
    default:
      return false;
  }
}

}  // namespace platform
