#include "tests/zephui/filechooser/FakePortal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstring>

namespace zephuitest {
namespace {

const sd_bus_vtable kVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD("OpenFile", "ssa{sv}", "o", &FakePortal::OnCallEntry, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("SaveFile", "ssa{sv}", "o", &FakePortal::OnCallEntry, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_VTABLE_END,
};

}  // namespace

FakePortal::FakePortal(std::uint32_t response, std::string uri)
    : response_(response), uri_(std::move(uri)), stopFd_(eventfd(0, EFD_CLOEXEC)) {
  // Set up on this thread before serving starts, so the name is owned when the constructor returns.
  if (sd_bus_open_user(&bus_) < 0 ||
      sd_bus_add_object_vtable(bus_, &object_, "/org/freedesktop/portal/desktop", "org.freedesktop.portal.FileChooser",
                               kVtable, this) < 0 ||
      sd_bus_request_name(bus_, "org.freedesktop.portal.Desktop", 0) < 0) {
    bus_ = sd_bus_flush_close_unref(bus_);
    return;
  }
  thread_ = std::thread([this] { Serve(); });
}

FakePortal::~FakePortal() {
  if (thread_.joinable()) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = write(stopFd_, &one, sizeof one);
    thread_.join();
  }
  sd_bus_slot_unref(object_);
  sd_bus_flush_close_unref(bus_);
  close(stopFd_);
}

std::vector<FakePortal::Call> FakePortal::Calls() const {
  std::lock_guard guard(lock_);
  return calls_;
}

void FakePortal::Serve() {
  for (;;) {
    while (sd_bus_process(bus_, nullptr) > 0) {
    }
    pollfd fds[2] = {{sd_bus_get_fd(bus_), static_cast<short>(sd_bus_get_events(bus_)), 0}, {stopFd_, POLLIN, 0}};
    if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN) != 0) return;
  }
}

int FakePortal::OnCallEntry(sd_bus_message* call, void* self, sd_bus_error* /*error*/) {
  auto* portal = static_cast<FakePortal*>(self);
  Call record;
  record.method = sd_bus_message_get_member(call);
  const char* parent = nullptr;
  const char* title = nullptr;
  if (sd_bus_message_read(call, "ss", &parent, &title) < 0 || ReadOptions(call, record) < 0) return -EINVAL;
  record.parent = parent;
  record.title = title;
  const std::string token = record.text["handle_token"];
  {
    std::lock_guard guard(portal->lock_);
    portal->calls_.push_back(record);
  }
  portal->Answer(call, token);
  return 1;
}

int FakePortal::ReadOptions(sd_bus_message* call, Call& record) {
  int r = sd_bus_message_enter_container(call, 'a', "{sv}");
  while (r >= 0 && (r = sd_bus_message_enter_container(call, 'e', "sv")) > 0) {
    const char* key = nullptr;
    const char* contents = nullptr;
    if ((r = sd_bus_message_read(call, "s", &key)) < 0) break;
    if ((r = sd_bus_message_peek_type(call, nullptr, &contents)) < 0) break;
    if (std::strcmp(contents, "a(sa(us))") == 0) {
      r = ReadFilters(call, record);
    } else if (std::strcmp(contents, "s") == 0) {
      const char* value = nullptr;
      r = sd_bus_message_read(call, "v", "s", &value);
      if (r >= 0) record.text[key] = value;
    } else if (std::strcmp(contents, "b") == 0) {
      int value = 0;
      r = sd_bus_message_read(call, "v", "b", &value);
      if (r >= 0) record.text[key] = value != 0 ? "true" : "false";
    } else if (std::strcmp(contents, "ay") == 0 && std::strcmp(key, "current_folder") == 0) {
      const void* bytes = nullptr;
      std::size_t size = 0;
      r = sd_bus_message_enter_container(call, 'v', "ay");
      if (r >= 0) r = sd_bus_message_read_array(call, 'y', &bytes, &size);
      if (r >= 0) record.folder.assign(static_cast<const char*>(bytes), size);
      if (r >= 0) r = sd_bus_message_exit_container(call);
    } else {
      r = sd_bus_message_skip(call, "v");
    }
    if (r >= 0) r = sd_bus_message_exit_container(call);
  }
  return r < 0 ? r : sd_bus_message_exit_container(call);
}

int FakePortal::ReadFilters(sd_bus_message* call, Call& record) {
  int r = sd_bus_message_enter_container(call, 'v', "a(sa(us))");
  if (r >= 0) r = sd_bus_message_enter_container(call, 'a', "(sa(us))");
  while (r >= 0 && (r = sd_bus_message_enter_container(call, 'r', "sa(us)")) > 0) {
    const char* name = nullptr;
    if ((r = sd_bus_message_read(call, "s", &name)) < 0) break;
    record.filters.push_back({name, {}});
    if ((r = sd_bus_message_enter_container(call, 'a', "(us)")) < 0) break;
    std::uint32_t kind = 0;
    const char* pattern = nullptr;
    while ((r = sd_bus_message_read(call, "(us)", &kind, &pattern)) > 0) {
      record.filters.back().second.push_back((kind == 0 ? "" : "mime:") + std::string(pattern));
    }
    if (r >= 0) r = sd_bus_message_exit_container(call);
    if (r >= 0) r = sd_bus_message_exit_container(call);
  }
  if (r >= 0) r = sd_bus_message_exit_container(call);
  return r < 0 ? r : sd_bus_message_exit_container(call);
}

// Replies with the path the portal derives from the caller and the token, then answers on it.
void FakePortal::Answer(sd_bus_message* call, const std::string& token) {
  std::string sender = sd_bus_message_get_sender(call) + 1;  // without the leading ':'
  for (char& c : sender) {
    if (c == '.') c = '_';
  }
  const std::string path = "/org/freedesktop/portal/desktop/request/" + sender + "/" + token;
  sd_bus_reply_method_return(call, "o", path.c_str());
  sd_bus_message* signal = nullptr;
  if (sd_bus_message_new_signal(bus_, &signal, path.c_str(), "org.freedesktop.portal.Request", "Response") < 0) return;
  if (response_ == 0) {
    sd_bus_message_append(signal, "ua{sv}", response_, 1, "uris", "as", 1, uri_.c_str());
  } else {
    sd_bus_message_append(signal, "ua{sv}", response_, 0);
  }
  sd_bus_send(bus_, signal, nullptr);
  sd_bus_message_unref(signal);
}

}  // namespace zephuitest
