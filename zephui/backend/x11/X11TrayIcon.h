// A tray icon docked into an XEmbed system tray: a small window of ours that
// the tray manager (owner of _NET_SYSTEM_TRAY_S<screen>) swallows. It runs on
// a display connection of its own, served from the owning thread's loop, so
// the backend's event routing never sees it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "backend/FdSource.h"
#include "zephui/WindowTypes.h"

// Kept free of Xlib's macros: the tray code above the backend includes this header.
struct _XDisplay;
union _XEvent;

namespace ZephUI::Backend {

class TrayPicture;

/// One docked icon.
class X11TrayIcon final : public FdSource {
 public:
  /// Asks the tray to dock an icon showing `picture` (which must outlive the icon); null when no tray runs.
  static std::unique_ptr<X11TrayIcon> Dock(const TrayPicture& picture, const std::u16string& tip,
                                           std::function<void(UINT)> click);
  /// Names the icon window after the tip, which trays show on hovering.
  void SetTip(const std::u16string& tip);
  /// Takes the icon out of the tray.
  ~X11TrayIcon() override;
  X11TrayIcon(const X11TrayIcon&) = delete;
  X11TrayIcon& operator=(const X11TrayIcon&) = delete;

  int Fd() const override;
  short Events() override;
  int TimeoutMs() override;
  void Serve() override;

 private:
  X11TrayIcon(_XDisplay* display, const TrayPicture& picture, std::function<void(UINT)> click);
  bool Create(unsigned long manager);
  void Handle(const _XEvent& event);
  void Paint();

  _XDisplay* display_ = nullptr;
  const TrayPicture& picture_;
  std::function<void(UINT)> click_;
  unsigned long window_ = 0;    // the icon's X window
  unsigned long colormap_ = 0;  // for the tray's visual; 0 with the default one
  bool argb_ = false;  // the tray asked for a visual with alpha
  int width_ = 0;
  int height_ = 0;
};

}  // namespace ZephUI::Backend
