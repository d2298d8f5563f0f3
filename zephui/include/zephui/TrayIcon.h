// An icon in the desktop's notification area that reports mouse actions to a
// window as a message: a StatusNotifierItem on the session bus where a watcher
// is registered, else the XEmbed system tray, else nothing (the window stays
// reachable). The session bus is served from the UI thread's message loop, and
// an icon lives on the thread that added it. The bus never makes Add wait: an
// icon sent to the bus counts as a StatusNotifierItem until the bus answers
// that no watcher takes it; it then moves on to the XEmbed tray or nowhere
// (Presence tells).
#pragma once

#include <memory>
#include <string>

#include "zephui/Export.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {

/// Where the icon ended up.
enum class TrayPresence {
  None,                ///< not shown: no tray on this desktop, or removed
  StatusNotifierItem,  ///< registered with a StatusNotifierWatcher on the session bus
  XEmbed,              ///< docked into an XEmbed system tray
  Headless,            ///< kept by the headless backend, clicked by tests
};

class ZEPHUI_API TrayIcon {
 public:
  /// An icon that posts `callbackMessage` to `owner` with wParam = `id` and lParam = WM_LBUTTONDOWN
  /// (activation), WM_LBUTTONDBLCLK or WM_RBUTTONUP (context menu; the owner shows its own menu at the cursor).
  TrayIcon(HWND owner, UINT id, UINT callbackMessage);
  /// Removes the icon.
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  /// Shows the icon with a picture file (PNG or ICO; none when it cannot be read) and a tip; where it went.
  TrayPresence Add(const std::string& iconPath, const std::u16string& tip);
  /// Changes the tip of a shown icon.
  void SetTip(const std::u16string& tip);
  /// Removes the icon; nothing when it is not shown.
  void Remove();
  /// Where the icon is now.
  TrayPresence Presence() const;

  class Impl;  ///< the backend's side

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace ZephUI
