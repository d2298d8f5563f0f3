// One question to the desktop's file chooser through the FileChooser portal
// (org.freedesktop.portal.Desktop). Everything is asynchronous on a bus that
// the calling thread's loop serves: a ping to learn our unique name, then the
// subscription to the request's predicted object path, then the OpenFile or
// SaveFile call, then the Response signal. A bus without the portal, a call
// that fails or gets no reply in time, or a response other than a choice or a
// cancel ends as Unavailable, so the caller can ask by other means.
#pragma once

#include <systemd/sd-bus.h>

#include <functional>
#include <string>

#include "zephui/FileChooser.h"

namespace ZephUI::Backend {

/// How a portal question ended.
enum class PortalOutcome { Chosen, Cancelled, Unavailable };

/// A pending portal request; destroying it abandons the request silently.
class PortalFileChooser {
 public:
  /// Runs once, from the bus's serving, never from inside Start.
  using Done = std::function<void(PortalOutcome outcome, const std::string& path)>;

  /// Uses `bus` (not owned; it must outlive this object).
  PortalFileChooser(sd_bus* bus, Done done);
  ~PortalFileChooser();
  PortalFileChooser(const PortalFileChooser&) = delete;
  PortalFileChooser& operator=(const PortalFileChooser&) = delete;

  /// Starts asking; false when nothing could be sent (Done will not run then).
  bool Start(const FileChooserRequest& request, std::string parentWindow);

 private:
  static int OnPing(sd_bus_message* reply, void* self, sd_bus_error* error);
  static int OnSubscribed(sd_bus_message* reply, void* self, sd_bus_error* error);
  static int OnCallReply(sd_bus_message* reply, void* self, sd_bus_error* error);
  static int OnResponse(sd_bus_message* signal, void* self, sd_bus_error* error);

  /// Subscribes to the predicted request path and sends the call.
  bool Send();
  /// Appends the call's options dictionary.
  int AppendOptions(sd_bus_message* call) const;
  /// Appends the filter list and the current filter.
  int AppendFilters(sd_bus_message* call) const;
  /// Reads the chosen path from a Response's results.
  static PortalOutcome ReadChoice(sd_bus_message* signal, std::string& path);
  /// Reports once and drops the slots.
  void Finish(PortalOutcome outcome, const std::string& path);
  /// Releases every slot.
  void DropSlots();

  sd_bus* bus_;
  Done done_;
  FileChooserRequest request_;
  std::string parentWindow_;
  std::string token_;        ///< handle_token of this request
  std::string requestPath_;  ///< the Request object path we subscribed to
  sd_bus_slot* pingSlot_ = nullptr;
  sd_bus_slot* matchSlot_ = nullptr;
  sd_bus_slot* callSlot_ = nullptr;
  bool finished_ = false;
};

}  // namespace ZephUI::Backend
