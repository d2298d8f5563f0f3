// The backend's side of a tray icon: it tries the session bus first, the
// XEmbed tray when no watcher takes the icon, and reports mouse actions to
// the owner window as its callback message. Used on the thread that made it,
// whose message loop serves the bus and the tray connection.
#pragma once

#include <memory>
#include <string>

#include "zephui/TrayIcon.h"

namespace ZephUI::Backend {
class StatusNotifierItem;
class TrayPicture;
class X11TrayIcon;
}  // namespace ZephUI::Backend

namespace ZephUI {

/// Where a TrayIcon's icon lives.
class TrayIcon::Impl {
 public:
  /// An icon not yet shown.
  Impl(HWND owner, UINT id, UINT callbackMessage);
  /// Removes the icon.
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  /// Shows the icon; where it went (the session bus until a missing watcher sends it on).
  TrayPresence Add(const std::string& iconPath, const std::u16string& tip);
  /// Changes the tip.
  void SetTip(const std::u16string& tip);
  /// Removes the icon.
  void Remove();
  /// Where the icon is now.
  TrayPresence Presence() const { return presence_; }

 private:
  void Report(UINT mouseMessage);
  void OnBusFailed();
  void DockInTray();

  HWND owner_;
  UINT id_;
  UINT callbackMessage_;
  std::u16string tip_;
  TrayPresence presence_ = TrayPresence::None;
  std::unique_ptr<Backend::TrayPicture> picture_;
  std::unique_ptr<Backend::StatusNotifierItem> item_;
  // An item whose bus failed inside its own callback; closed at the next change rather than under itself.
  std::unique_ptr<Backend::StatusNotifierItem> failedItem_;
  std::unique_ptr<Backend::X11TrayIcon> docked_;  // after the picture it paints
};

}  // namespace ZephUI
