#include "tests/zephui/tray/TestWatcher.h"

#include "tests/zephui/backend/PumpUntil.h"

namespace zephuitest {
namespace {

constexpr const char* kWatcher = "org.kde.StatusNotifierWatcher";

}  // namespace

TestWatcher::TestWatcher(WatcherRole role) {
  if (sd_bus_open_user(&bus_) < 0) return;
  if (role == WatcherRole::PlainClient) {
    ready_ = true;
    return;
  }
  static const sd_bus_vtable table[] = {
      SD_BUS_VTABLE_START(0),
      SD_BUS_METHOD("RegisterStatusNotifierItem", "s", "", OnRegister, SD_BUS_VTABLE_UNPRIVILEGED),
      SD_BUS_VTABLE_END,
  };
  ready_ = sd_bus_add_object_vtable(bus_, &object_, "/StatusNotifierWatcher", kWatcher, table, this) >= 0 &&
           sd_bus_request_name(bus_, kWatcher, 0) >= 0;
}

TestWatcher::~TestWatcher() {
  if (reply_ != nullptr) sd_bus_message_unref(reply_);
  sd_bus_slot_unref(object_);
  if (bus_ != nullptr) sd_bus_flush_close_unref(bus_);
}

void TestWatcher::Process() {
  while (sd_bus_process(bus_, nullptr) > 0) {
  }
}

int TestWatcher::OnRegister(sd_bus_message* call, void* self, sd_bus_error*) {
  const char* service = nullptr;
  if (sd_bus_message_read(call, "s", &service) < 0) return -1;
  static_cast<TestWatcher*>(self)->registered_.emplace_back(service);
  return sd_bus_reply_method_return(call, "");
}

int TestWatcher::OnReply(sd_bus_message* reply, void* self, sd_bus_error*) {
  static_cast<TestWatcher*>(self)->reply_ = sd_bus_message_ref(reply);
  return 0;
}

sd_bus_message* TestWatcher::NewCall(const std::string& service, const char* path, const char* interface,
                                     const char* member) {
  sd_bus_message* call = nullptr;
  sd_bus_message_new_method_call(bus_, &call, service.c_str(), path, interface, member);
  return call;
}

sd_bus_message* TestWatcher::Ask(sd_bus_message* call) {
  sd_bus_slot* slot = nullptr;
  const int sent = sd_bus_call_async(bus_, &slot, call, OnReply, this, 0);
  sd_bus_message_unref(call);
  if (sent < 0) return nullptr;
  // The item answers from the window system's loop, so the loop must run while we wait.
  PumpUntil([this] {
    Process();
    return reply_ != nullptr;
  });
  sd_bus_slot_unref(slot);
  sd_bus_message* reply = reply_;
  reply_ = nullptr;
  return reply;
}

bool TestWatcher::HasOwner(const std::string& name) {
  int owned = 0;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  // The broker answers by itself, so a blocking call is fine here.
  if (sd_bus_call_method(bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                         &error, &reply, "s", name.c_str()) >= 0) {
    sd_bus_message_read(reply, "b", &owned);
    sd_bus_message_unref(reply);
  }
  sd_bus_error_free(&error);
  return owned != 0;
}

}  // namespace zephuitest
