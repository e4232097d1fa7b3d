// The tray icon on an XEmbed system tray (the _NET_SYSTEM_TRAY_S<n> selection): a small X
// window of our own, docked with the tray and painted with crisp pixels at whatever size the
// tray gives it. Follows the tray: docks again when one starts or restarts, and stays quiet
// while none runs. A left double-click activates the icon, a right button release asks for its
// context menu, the wheel scrolls.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

#include <xcb/xcb.h>

#include "platform/tray_host/tray_picture.h"
#include "platform/tray_host/xembed_clicks.h"

namespace platform {

class XEmbedTrayIcon : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT

 public:
  explicit XEmbedTrayIcon(QObject* parent = nullptr);
  ~XEmbedTrayIcon() override;

  bool Available() const { return conn_ != nullptr; }  // an X11 session
  bool TrayPresent() const { return owner_ != 0; }
  // Wanted or not: a wanted icon is docked now if a tray runs, and whenever one appears.
  void SetWanted(bool wanted);
  bool Docked() const { return window_ != 0; }
  void SetIcon(const TrayPicture& icon);
  void SetTip(const QString& tip);

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 signals:
  void TrayChanged();
  void Activated();
  void ContextMenuRequested();
  void Scrolled(int delta, Qt::Orientation orientation);

 private:
  xcb_atom_t Atom(const char* name);
  void SelectEvents(xcb_window_t w, std::uint32_t add);
  xcb_window_t QueryOwner();
  void SetOwner(xcb_window_t owner);
  void DockWindow();
  void DestroyWindow();
  void SetName();
  void SetOwnerProperties();
  void OfferSize(int side);
  xcb_visualid_t TrayVisual();
  int DepthOf(xcb_visualid_t visual);
  void Paint();
  void Report(TrayGesture gesture);

  xcb_connection_t* conn_ = nullptr;
  xcb_screen_t* screen_ = nullptr;
  xcb_window_t root_ = 0;
  xcb_atom_t selection_ = 0, opcode_ = 0, manager_ = 0, xembedInfo_ = 0, netWmName_ = 0,
             utf8_ = 0, trayVisual_ = 0;
  xcb_atom_t netWmPid_ = 0;
  xcb_window_t owner_ = 0;
  xcb_window_t window_ = 0;
  xcb_gcontext_t gc_ = 0;
  xcb_colormap_t colormap_ = 0;
  bool argb_ = false;  // a 32-bit window with real transparency, as the tray asked
  bool wanted_ = false;
  int width_ = 22, height_ = 22;
  int hintSide_ = 22;
  TrayPicture icon_;
  std::vector<std::pair<std::uint32_t, std::vector<xcb_rectangle_t>>> runs_;  // per colour
  QByteArray tip_;
  TrayClickClassifier clicks_;
};

}  // namespace platform
