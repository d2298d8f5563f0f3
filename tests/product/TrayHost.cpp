#include "tests/product/TrayHost.h"

namespace {

constexpr const char* kWatcher = "org.kde.StatusNotifierWatcher";

}  // namespace

TrayHost::TrayHost() {
  if (sd_bus_open_user(&bus_) < 0) return;
  static const sd_bus_vtable table[] = {
      SD_BUS_VTABLE_START(0),
      SD_BUS_METHOD("RegisterStatusNotifierItem", "s", "", OnRegister, SD_BUS_VTABLE_UNPRIVILEGED),
      SD_BUS_VTABLE_END,
  };
  ready_ = sd_bus_add_object_vtable(bus_, &object_, "/StatusNotifierWatcher", kWatcher, table, this) >= 0 &&
           sd_bus_request_name(bus_, kWatcher, 0) >= 0;
}

TrayHost::~TrayHost() {
  sd_bus_slot_unref(object_);
  if (bus_ != nullptr) sd_bus_flush_close_unref(bus_);
}

void TrayHost::Process() {
  while (bus_ != nullptr && sd_bus_process(bus_, nullptr) > 0) {
  }
}

int TrayHost::OnRegister(sd_bus_message* call, void* self, sd_bus_error*) {
  const char* service = nullptr;
  if (sd_bus_message_read(call, "s", &service) < 0) return -1;
  static_cast<TrayHost*>(self)->registered_.emplace_back(service);
  return sd_bus_reply_method_return(call, "");
}

bool TrayHost::CallItem(const char* method, int x, int y) {
  if (registered_.empty()) return false;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  // The item answers from the program's own loop, so waiting here is safe.
  const int called = sd_bus_call_method(bus_, registered_.front().c_str(), "/StatusNotifierItem",
                                        "org.kde.StatusNotifierItem", method, &error, &reply, "ii", x, y);
  sd_bus_error_free(&error);
  sd_bus_message_unref(reply);
  return called >= 0;
}

bool TrayHost::HasOwner(const std::string& name) {
  int owned = 0;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  if (sd_bus_call_method(bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                         &error, &reply, "s", name.c_str()) >= 0) {
    sd_bus_message_read(reply, "b", &owned);
    sd_bus_message_unref(reply);
  }
  sd_bus_error_free(&error);
  return owned != 0;
}
