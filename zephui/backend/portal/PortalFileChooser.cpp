#include "backend/portal/PortalFileChooser.h"

#include <systemd/sd-bus.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <utility>

#include "backend/portal/FileUri.h"
#include "zephui/Text.h"

namespace ZephUI::Backend {
namespace {

constexpr const char* kPortal = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kChooser = "org.freedesktop.portal.FileChooser";
constexpr const char* kRequest = "org.freedesktop.portal.Request";
// The portal answers the call itself at once (the dialog comes later); silence this long means no portal.
constexpr std::uint64_t kReplyTimeoutUs = 6'000'000;
constexpr std::uint32_t kGlobPattern = 0;

std::string NextToken() {
  static std::atomic<unsigned> counter{0};
  return "zephui_" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
}

// ":1.42" becomes "1_42", as the portal spells the sender in request paths.
std::string SenderElement(const char* uniqueName) {
  std::string element = uniqueName[0] == ':' ? uniqueName + 1 : uniqueName;
  for (char& c : element) {
    if (c == '.') c = '_';
  }
  return element;
}

int AppendString(sd_bus_message* m, const char* key, const std::string& value) {
  return sd_bus_message_append(m, "{sv}", key, "s", value.c_str());
}

int AppendBool(sd_bus_message* m, const char* key, bool value) {
  return sd_bus_message_append(m, "{sv}", key, "b", static_cast<int>(value));
}

// One (sa(us)) filter.
int AppendFilter(sd_bus_message* m, const FileFilter& filter) {
  int r = sd_bus_message_open_container(m, 'r', "sa(us)");
  if (r >= 0) r = sd_bus_message_append(m, "s", ToUtf8(filter.text).c_str());
  if (r >= 0) r = sd_bus_message_open_container(m, 'a', "(us)");
  for (const std::u16string& pattern : filter.patterns) {
    if (r >= 0) r = sd_bus_message_append(m, "(us)", kGlobPattern, ToUtf8(pattern).c_str());
  }
  if (r >= 0) r = sd_bus_message_close_container(m);
  if (r >= 0) r = sd_bus_message_close_container(m);
  return r;
}

}  // namespace

PortalFileChooser::PortalFileChooser(sd_bus* bus, Done done) : bus_(bus), done_(std::move(done)) {}

PortalFileChooser::~PortalFileChooser() { DropSlots(); }

bool PortalFileChooser::Start(const FileChooserRequest& request, std::string parentWindow) {
  request_ = request;
  parentWindow_ = std::move(parentWindow);
  token_ = NextToken();
  // The reply comes after the connection's Hello, when our unique name is known without waiting.
  return sd_bus_call_method_async(bus_, &pingSlot_, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                  "org.freedesktop.DBus.Peer", "Ping", &PortalFileChooser::OnPing, this, "") >= 0;
}

int PortalFileChooser::OnPing(sd_bus_message* reply, void* self, sd_bus_error* /*error*/) {
  auto* chooser = static_cast<PortalFileChooser*>(self);
  chooser->pingSlot_ = sd_bus_slot_unref(chooser->pingSlot_);
  if (sd_bus_message_is_method_error(reply, nullptr) || !chooser->Send()) {
    chooser->Finish(PortalOutcome::Unavailable, {});
  }
  return 1;
}

bool PortalFileChooser::Send() {
  const char* unique = nullptr;
  if (sd_bus_get_unique_name(bus_, &unique) < 0) return false;
  requestPath_ = std::string(kPortalPath) + "/request/" + SenderElement(unique) + "/" + token_;
  // Subscribed before the call goes out, so a quick answer cannot slip past.
  if (sd_bus_match_signal_async(bus_, &matchSlot_, nullptr, requestPath_.c_str(), kRequest, "Response",
                                &PortalFileChooser::OnResponse, &PortalFileChooser::OnSubscribed, this) < 0) {
    return false;
  }
  const bool save = request_.mode == FileChooserMode::Save;
  sd_bus_message* call = nullptr;
  int r = sd_bus_message_new_method_call(bus_, &call, kPortal, kPortalPath, kChooser, save ? "SaveFile" : "OpenFile");
  if (r >= 0) r = sd_bus_message_append(call, "ss", parentWindow_.c_str(), ToUtf8(request_.title).c_str());
  if (r >= 0) r = AppendOptions(call);
  if (r >= 0) r = sd_bus_call_async(bus_, &callSlot_, call, &PortalFileChooser::OnCallReply, this, kReplyTimeoutUs);
  sd_bus_message_unref(call);
  return r >= 0;
}

int PortalFileChooser::AppendOptions(sd_bus_message* call) const {
  const bool save = request_.mode == FileChooserMode::Save;
  int r = sd_bus_message_open_container(call, 'a', "{sv}");
  if (r >= 0) r = AppendString(call, "handle_token", token_);
  if (r >= 0) r = AppendString(call, "accept_label", save ? "Save" : "Open");
  if (r >= 0) r = AppendBool(call, "modal", true);
  if (r >= 0 && !save) r = AppendBool(call, "multiple", false);
  if (r >= 0) r = AppendFilters(call);
  if (r >= 0 && save && !request_.suggestedName.empty()) {
    std::string name = ToUtf8(request_.suggestedName);
    if (!request_.defaultExtension.empty() && name.find('.') == std::string::npos) {
      name += "." + ToUtf8(request_.defaultExtension);  // the desktop's chooser appends nothing itself
    }
    r = AppendString(call, "current_name", name);
  }
  const std::string folder = request_.folder.empty() ? DocumentsFolder() : request_.folder;
  if (r >= 0) r = sd_bus_message_open_container(call, 'e', "sv");
  if (r >= 0) r = sd_bus_message_append(call, "s", "current_folder");
  if (r >= 0) r = sd_bus_message_open_container(call, 'v', "ay");
  if (r >= 0) r = sd_bus_message_append_array(call, 'y', folder.c_str(), folder.size() + 1);  // with its NUL
  if (r >= 0) r = sd_bus_message_close_container(call);
  if (r >= 0) r = sd_bus_message_close_container(call);
  if (r >= 0) r = sd_bus_message_close_container(call);
  return r;
}

int PortalFileChooser::AppendFilters(sd_bus_message* call) const {
  if (request_.filters.empty()) return 0;
  int r = sd_bus_message_open_container(call, 'e', "sv");
  if (r >= 0) r = sd_bus_message_append(call, "s", "filters");
  if (r >= 0) r = sd_bus_message_open_container(call, 'v', "a(sa(us))");
  if (r >= 0) r = sd_bus_message_open_container(call, 'a', "(sa(us))");
  for (const FileFilter& filter : request_.filters) {
    if (r >= 0) r = AppendFilter(call, filter);
  }
  if (r >= 0) r = sd_bus_message_close_container(call);
  if (r >= 0) r = sd_bus_message_close_container(call);
  if (r >= 0) r = sd_bus_message_close_container(call);
  if (r >= 0) r = sd_bus_message_open_container(call, 'e', "sv");
  if (r >= 0) r = sd_bus_message_append(call, "s", "current_filter");
  if (r >= 0) r = sd_bus_message_open_container(call, 'v', "(sa(us))");
  if (r >= 0) r = AppendFilter(call, request_.filters.front());
  if (r >= 0) r = sd_bus_message_close_container(call);
  if (r >= 0) r = sd_bus_message_close_container(call);
  return r;
}

int PortalFileChooser::OnSubscribed(sd_bus_message* reply, void* self, sd_bus_error* /*error*/) {
  if (sd_bus_message_is_method_error(reply, nullptr)) {
    static_cast<PortalFileChooser*>(self)->Finish(PortalOutcome::Unavailable, {});
  }
  return 1;
}

int PortalFileChooser::OnCallReply(sd_bus_message* reply, void* self, sd_bus_error* /*error*/) {
  auto* chooser = static_cast<PortalFileChooser*>(self);
  chooser->callSlot_ = sd_bus_slot_unref(chooser->callSlot_);
  const char* handle = nullptr;
  // A method error covers the missing portal, a refusal and the reply timeout alike.
  if (sd_bus_message_is_method_error(reply, nullptr) || sd_bus_message_read(reply, "o", &handle) < 0) {
    chooser->Finish(PortalOutcome::Unavailable, {});
    return 1;
  }
  if (chooser->requestPath_ != handle) {  // portals before 0.9 choose their own path
    chooser->requestPath_ = handle;
    chooser->matchSlot_ = sd_bus_slot_unref(chooser->matchSlot_);
    if (sd_bus_match_signal_async(chooser->bus_, &chooser->matchSlot_, nullptr, handle, kRequest, "Response",
                                  &PortalFileChooser::OnResponse, &PortalFileChooser::OnSubscribed, chooser) < 0) {
      chooser->Finish(PortalOutcome::Unavailable, {});
    }
  }
  return 1;
}

int PortalFileChooser::OnResponse(sd_bus_message* signal, void* self, sd_bus_error* /*error*/) {
  std::string path;
  const PortalOutcome outcome = ReadChoice(signal, path);
  static_cast<PortalFileChooser*>(self)->Finish(outcome, path);
  return 1;
}

PortalOutcome PortalFileChooser::ReadChoice(sd_bus_message* signal, std::string& path) {
  std::uint32_t response = 2;
  if (sd_bus_message_read(signal, "u", &response) < 0) return PortalOutcome::Unavailable;
  if (response == 1) return PortalOutcome::Cancelled;
  if (response != 0 || sd_bus_message_enter_container(signal, 'a', "{sv}") < 0) return PortalOutcome::Unavailable;
  while (sd_bus_message_enter_container(signal, 'e', "sv") > 0) {
    const char* key = nullptr;
    if (sd_bus_message_read(signal, "s", &key) < 0) return PortalOutcome::Unavailable;
    if (std::strcmp(key, "uris") != 0) {
      if (sd_bus_message_skip(signal, "v") < 0) return PortalOutcome::Unavailable;
    } else {
      char** uris = nullptr;
      if (sd_bus_message_enter_container(signal, 'v', "as") < 0 || sd_bus_message_read_strv(signal, &uris) < 0) {
        return PortalOutcome::Unavailable;
      }
      const std::optional<std::string> local = uris != nullptr && uris[0] != nullptr ? PathFromFileUri(uris[0]) : std::nullopt;
      for (char** u = uris; u != nullptr && *u != nullptr; ++u) std::free(*u);
      std::free(uris);
      if (!local) return PortalOutcome::Unavailable;
      path = *local;
      return PortalOutcome::Chosen;
    }
    sd_bus_message_exit_container(signal);
  }
  return PortalOutcome::Unavailable;
}

void PortalFileChooser::Finish(PortalOutcome outcome, const std::string& path) {
  if (finished_) return;
  finished_ = true;
  DropSlots();
  if (done_) done_(outcome, path);  // may destroy this object: nothing after it
}

void PortalFileChooser::DropSlots() {
  pingSlot_ = sd_bus_slot_unref(pingSlot_);
  matchSlot_ = sd_bus_slot_unref(matchSlot_);
  callSlot_ = sd_bus_slot_unref(callSlot_);
}

}  // namespace ZephUI::Backend
