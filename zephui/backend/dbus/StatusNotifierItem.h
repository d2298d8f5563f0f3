// A tray icon on the session bus: the org.kde.StatusNotifierItem object at
// /StatusNotifierItem under a name of its own, registered with the
// StatusNotifierWatcher. Everything is asynchronous: the icon counts as shown
// from the start, and reports failure (no watcher, the registration refused,
// the bus gone) once the answer arrives. Lives on the thread that made it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <systemd/sd-bus.h>

#include "backend/TrayPicture.h"
#include "zephui/WindowTypes.h"


namespace ZephUI::Backend {

class SessionBus;

/// What the item reports to its owner.
struct StatusNotifierEvents {
  std::function<void(UINT)> click;  ///< a mouse message: WM_LBUTTONDOWN (activate) or WM_RBUTTONUP (context menu)
  std::function<void()> failed;     ///< the item cannot be shown; called once, from the loop
};

/// One exported item.
class StatusNotifierItem {
 public:
  /// Exports the item and asks the watcher to show it; null when there is no session bus.
  static std::unique_ptr<StatusNotifierItem> Start(std::vector<TrayPixmap> pixmaps, const std::u16string& tip,
                                                   StatusNotifierEvents events);
  /// Unexports the item; closing the connection takes its name off the bus, which tells the watcher.
  ~StatusNotifierItem();
  StatusNotifierItem(const StatusNotifierItem&) = delete;
  StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

  /// Changes title and tool tip and tells the host.
  void SetTip(const std::u16string& tip);

 private:
  StatusNotifierItem(std::unique_ptr<SessionBus> bus, std::vector<TrayPixmap> pixmaps, const std::u16string& tip,
                     StatusNotifierEvents events);
  bool Export();
  void Fail();

  static int OnNameReply(sd_bus_message* reply, void* self, sd_bus_error* error);
  static int OnRegisterReply(sd_bus_message* reply, void* self, sd_bus_error* error);
  static int Activate(sd_bus_message* call, void* self, sd_bus_error* error);
  static int ContextMenu(sd_bus_message* call, void* self, sd_bus_error* error);
  static int Ignore(sd_bus_message* call, void* self, sd_bus_error* error);
  static int GetString(sd_bus*, const char*, const char*, const char* property, sd_bus_message* reply, void* self,
                       sd_bus_error* error);
  static int GetPixmaps(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* self,
                        sd_bus_error* error);
  static int GetToolTip(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* self,
                        sd_bus_error* error);
  static int GetFalse(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* self,
                      sd_bus_error* error);
  static int GetZero(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* self,
                     sd_bus_error* error);

  std::unique_ptr<SessionBus> bus_;
  std::vector<TrayPixmap> pixmaps_;
  std::string id_;
  std::string tip_;
  std::string name_;
  StatusNotifierEvents events_;
  bool failed_ = false;
  sd_bus_slot* object_ = nullptr;
  sd_bus_slot* nameCall_ = nullptr;
  sd_bus_slot* registerCall_ = nullptr;
};

}  // namespace ZephUI::Backend
