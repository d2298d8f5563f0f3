#include "backend/dbus/StatusNotifierItem.h"

#include <systemd/sd-bus.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include "backend/WindowSystem.h"
#include "backend/dbus/SessionBus.h"
#include "zephui/MessageCodes.h"
#include "zephui/Text.h"

namespace ZephUI::Backend {
namespace {

constexpr const char* kPath = "/StatusNotifierItem";
constexpr const char* kInterface = "org.kde.StatusNotifierItem";
constexpr const char* kWatcher = "org.kde.StatusNotifierWatcher";
constexpr std::uint64_t kRegisterTimeoutUs = 10'000'000;

// Items of one process are told apart by a running number in their bus names.
std::atomic<int> itemCount{0};

StatusNotifierItem* Self(void* userdata) { return static_cast<StatusNotifierItem*>(userdata); }

}  // namespace

std::unique_ptr<StatusNotifierItem> StatusNotifierItem::Start(std::vector<TrayPixmap> pixmaps, const std::u16string& tip,
                                                              StatusNotifierEvents events) {
  auto bus = SessionBus::Open();
  if (!bus) return nullptr;
  std::unique_ptr<StatusNotifierItem> item(new StatusNotifierItem(std::move(bus), std::move(pixmaps), tip, std::move(events)));
  if (!item->Export()) return nullptr;
  return item;
}

StatusNotifierItem::StatusNotifierItem(std::unique_ptr<SessionBus> bus, std::vector<TrayPixmap> pixmaps,
                                       const std::u16string& tip, StatusNotifierEvents events)
    : bus_(std::move(bus)),
      pixmaps_(std::move(pixmaps)),
      id_(ToUtf8(WindowSystem::ProgramName())),
      tip_(ToUtf8(tip)),
      name_("org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" + std::to_string(++itemCount)),
      events_(std::move(events)) {
  bus_->OnClosed([this] { Fail(); });
}

StatusNotifierItem::~StatusNotifierItem() {
  sd_bus_slot_unref(registerCall_);
  sd_bus_slot_unref(nameCall_);
  sd_bus_slot_unref(object_);
}

bool StatusNotifierItem::Export() {
  static const sd_bus_vtable kTable[] = {
      SD_BUS_VTABLE_START(0),
      SD_BUS_PROPERTY("Category", "s", GetString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
      SD_BUS_PROPERTY("Id", "s", GetString, 0, SD_BUS_VTABLE_PROPERTY_CONST),
      SD_BUS_PROPERTY("Title", "s", GetString, 0, 0),
      SD_BUS_PROPERTY("Status", "s", GetString, 0, 0),
      SD_BUS_PROPERTY("IconName", "s", GetString, 0, 0),
      SD_BUS_PROPERTY("IconPixmap", "a(iiay)", GetPixmaps, 0, 0),
      SD_BUS_PROPERTY("ToolTip", "(sa(iiay)ss)", GetToolTip, 0, 0),
      SD_BUS_PROPERTY("ItemIsMenu", "b", GetFalse, 0, SD_BUS_VTABLE_PROPERTY_CONST),
      SD_BUS_PROPERTY("WindowId", "i", GetZero, 0, SD_BUS_VTABLE_PROPERTY_CONST),
      SD_BUS_METHOD("Activate", "ii", "", Activate, SD_BUS_VTABLE_UNPRIVILEGED),
      SD_BUS_METHOD("ContextMenu", "ii", "", ContextMenu, SD_BUS_VTABLE_UNPRIVILEGED),
      SD_BUS_METHOD("SecondaryActivate", "ii", "", Ignore, SD_BUS_VTABLE_UNPRIVILEGED),
      SD_BUS_METHOD("Scroll", "is", "", Ignore, SD_BUS_VTABLE_UNPRIVILEGED),
      SD_BUS_SIGNAL("NewTitle", "", 0),
      SD_BUS_SIGNAL("NewIcon", "", 0),
      SD_BUS_SIGNAL("NewToolTip", "", 0),
      SD_BUS_SIGNAL("NewStatus", "s", 0),
      SD_BUS_VTABLE_END,
  };
  sd_bus* bus = bus_->Get();
  if (sd_bus_add_object_vtable(bus, &object_, kPath, kInterface, kTable, this) < 0) return false;
  if (sd_bus_request_name_async(bus, &nameCall_, name_.c_str(), 0, OnNameReply, this) < 0) return false;
  sd_bus_message* call = nullptr;
  if (sd_bus_message_new_method_call(bus, &call, kWatcher, "/StatusNotifierWatcher", kWatcher,
                                     "RegisterStatusNotifierItem") < 0) {
    return false;
  }
  // A desktop without a watcher must answer "nobody there" at once rather than start one.
  sd_bus_message_set_auto_start(call, 0);
  const bool sent = sd_bus_message_append(call, "s", name_.c_str()) >= 0 &&
                    sd_bus_call_async(bus, &registerCall_, call, OnRegisterReply, this, kRegisterTimeoutUs) >= 0;
  sd_bus_message_unref(call);
  return sent;
}

void StatusNotifierItem::Fail() {
  if (failed_) return;
  failed_ = true;
  if (events_.failed) events_.failed();
}

void StatusNotifierItem::SetTip(const std::u16string& tip) {
  tip_ = ToUtf8(tip);
  sd_bus_emit_signal(bus_->Get(), kPath, kInterface, "NewTitle", "");
  sd_bus_emit_signal(bus_->Get(), kPath, kInterface, "NewToolTip", "");
}

int StatusNotifierItem::OnNameReply(sd_bus_message* reply, void* self, sd_bus_error*) {
  std::uint32_t result = 0;
  // 1: the name is ours; anything else (queued, taken, an error) leaves the watcher nobody to ask.
  if (sd_bus_message_is_method_error(reply, nullptr) || sd_bus_message_read(reply, "u", &result) < 0 || result != 1) {
    Self(self)->Fail();
  }
  return 0;
}

int StatusNotifierItem::OnRegisterReply(sd_bus_message* reply, void* self, sd_bus_error*) {
  if (sd_bus_message_is_method_error(reply, nullptr)) Self(self)->Fail();
  return 0;
}

int StatusNotifierItem::Activate(sd_bus_message* call, void* self, sd_bus_error*) {
  if (Self(self)->events_.click) Self(self)->events_.click(WM_LBUTTONDOWN);
  return sd_bus_reply_method_return(call, "");
}

int StatusNotifierItem::ContextMenu(sd_bus_message* call, void* self, sd_bus_error*) {
  // The owner pops its own menu up at the pointer, as with a right click on any tray.
  if (Self(self)->events_.click) Self(self)->events_.click(WM_RBUTTONUP);
  return sd_bus_reply_method_return(call, "");
}

int StatusNotifierItem::Ignore(sd_bus_message* call, void*, sd_bus_error*) { return sd_bus_reply_method_return(call, ""); }

int StatusNotifierItem::GetString(sd_bus*, const char*, const char*, const char* property, sd_bus_message* reply,
                                  void* self, sd_bus_error*) {
  const StatusNotifierItem& item = *Self(self);
  const char* value = "";
  if (std::strcmp(property, "Category") == 0) value = "ApplicationStatus";
  if (std::strcmp(property, "Id") == 0) value = item.id_.c_str();
  if (std::strcmp(property, "Title") == 0) value = item.tip_.c_str();
  if (std::strcmp(property, "Status") == 0) value = "Active";
  return sd_bus_message_append(reply, "s", value);
}

int StatusNotifierItem::GetPixmaps(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* self,
                                   sd_bus_error*) {
  int r = sd_bus_message_open_container(reply, 'a', "(iiay)");
  for (const TrayPixmap& pixmap : Self(self)->pixmaps_) {
    if (r >= 0) r = sd_bus_message_open_container(reply, 'r', "iiay");
    if (r >= 0) r = sd_bus_message_append(reply, "ii", pixmap.width, pixmap.height);
    if (r >= 0) r = sd_bus_message_append_array(reply, 'y', pixmap.argb.data(), pixmap.argb.size());
    if (r >= 0) r = sd_bus_message_close_container(reply);
  }
  return r >= 0 ? sd_bus_message_close_container(reply) : r;
}

int StatusNotifierItem::GetToolTip(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void* self,
                                   sd_bus_error*) {
  // (icon name, icon pixmaps, title, description): the tip is the title, the icon is the item's own.
  int r = sd_bus_message_open_container(reply, 'r', "sa(iiay)ss");
  if (r >= 0) r = sd_bus_message_append(reply, "s", "");
  if (r >= 0) r = sd_bus_message_open_container(reply, 'a', "(iiay)");
  if (r >= 0) r = sd_bus_message_close_container(reply);
  if (r >= 0) r = sd_bus_message_append(reply, "ss", Self(self)->tip_.c_str(), "");
  return r >= 0 ? sd_bus_message_close_container(reply) : r;
}

int StatusNotifierItem::GetFalse(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                                 sd_bus_error*) {
  return sd_bus_message_append(reply, "b", 0);
}

int StatusNotifierItem::GetZero(sd_bus*, const char*, const char*, const char*, sd_bus_message* reply, void*,
                                sd_bus_error*) {
  return sd_bus_message_append(reply, "i", 0);
}

}  // namespace ZephUI::Backend
