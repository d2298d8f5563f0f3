// hidapi's C API over the simulated bus. Signatures are those of
// <hidapi.h>; test binaries link this library in place of libhidapi.
#include <hidapi.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <system_error>
#include <utility>

#include "tests/sim/Bus.h"

struct hid_device_ {
  int deviceId = 0;
  std::wstring error;  // empty: the last call succeeded
  hid_device_info* info = nullptr;
};

namespace hidsim {
namespace {

// Enumeration nodes are plain C allocations, freed by hid_free_enumeration.
char* DupString(const std::string& text) {
  auto* out = static_cast<char*>(std::malloc(text.size() + 1));
  if (out) std::memcpy(out, text.c_str(), text.size() + 1);
  return out;
}

wchar_t* DupWide(const std::wstring& text) {
  auto* out = static_cast<wchar_t*>(std::malloc((text.size() + 1) * sizeof(wchar_t)));
  if (out) std::wmemcpy(out, text.c_str(), text.size() + 1);
  return out;
}

hid_device_info* NewInfo(const InterfaceSpec& spec) {
  auto* info = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
  if (!info) return nullptr;
  info->path = DupString(spec.path);
  info->vendor_id = spec.vendorId;
  info->product_id = spec.productId;
  info->release_number = spec.releaseNumber;
  info->product_string = DupWide(spec.product);
  info->usage_page = spec.usagePage;
  info->usage = spec.usage;
  info->interface_number = spec.interfaceNumber;
  return info;
}

void FreeInfo(hid_device_info* info) {
  std::free(info->path);
  std::free(info->serial_number);
  std::free(info->manufacturer_string);
  std::free(info->product_string);
  std::free(info);
}

int CopyWide(const std::wstring& text, wchar_t* out, std::size_t maxlen) {
  if (!out || maxlen == 0) return -1;
  const std::size_t n = std::min(text.size(), maxlen - 1);
  std::wmemcpy(out, text.c_str(), n);
  out[n] = L'\0';
  return 0;
}

// What the hidraw backend reports for a device that is gone: the kernel
// answers ENODEV and the text ends with the system's words for it.
std::wstring Disconnected(const char* call) {
  const std::string text = std::string(call) + std::generic_category().message(ENODEV);
  std::wstring wide(text.size(), L'\0');
  const std::size_t n = std::mbstowcs(wide.data(), text.c_str(), wide.size());
  wide.resize(n == static_cast<std::size_t>(-1) ? 0 : n);
  return wide;
}

}  // namespace

// Everything the C functions need from the bus, under its one mutex.
class HidapiBridge {
 public:
  static int Init() {
    Bus& bus = Bus::Instance();
    std::lock_guard lock(bus.mutex_);
    ++bus.initCalls_;
    if (bus.initFails_) {
      GlobalError() = L"hid_init failed (simulated)";
      return -1;
    }
    return 0;
  }

  static int Exit() {
    Bus& bus = Bus::Instance();
    std::lock_guard lock(bus.mutex_);
    ++bus.exitCalls_;
    return 0;
  }

  static hid_device_info* Enumerate(unsigned short vendorId, unsigned short productId) {
    Bus& bus = Bus::Instance();
    std::lock_guard lock(bus.mutex_);
    if (bus.initFails_) {
      GlobalError() = L"HID library not initialised (simulated)";
      return nullptr;
    }
    hid_device_info* head = nullptr;
    hid_device_info** tail = &head;
    for (const auto& [id, device] : bus.devices_) {
      if ((vendorId != 0 && device.spec.vendorId != vendorId) ||
          (productId != 0 && device.spec.productId != productId)) {
        continue;
      }
      *tail = NewInfo(device.spec);
      if (!*tail) break;
      tail = &(*tail)->next;
    }
    if (!head) GlobalError() = L"No HID devices found";
    return head;
  }

  // Opens the first interface that `matches`.
  template <typename Match>
  static hid_device* Open(Match matches) {
    Bus& bus = Bus::Instance();
    std::lock_guard lock(bus.mutex_);
    if (bus.initFails_) {
      GlobalError() = L"HID library not initialised (simulated)";
      return nullptr;
    }
    for (auto& [id, device] : bus.devices_) {
      if (!matches(device.spec)) continue;
      if (device.faults.refuseOpens > 0) {
        --device.faults.refuseOpens;
        GlobalError() = L"Permission denied (simulated)";
        return nullptr;
      }
      auto* handle = new hid_device_;
      handle->deviceId = id;
      bus.handles_.insert(handle);
      return handle;
    }
    GlobalError() = L"No such device";
    return nullptr;
  }

  static void Close(hid_device* handle) {
    if (!handle) return;
    Bus& bus = Bus::Instance();
    {
      std::lock_guard lock(bus.mutex_);
      bus.handles_.erase(handle);
    }
    if (handle->info) FreeInfo(handle->info);
    delete handle;
  }

  static int Write(hid_device* handle, const unsigned char* data, std::size_t length,
                   FrameKind kind) {
    if (!handle) return -1;
    Bus& bus = Bus::Instance();
    std::lock_guard lock(bus.mutex_);
    if (!data || length == 0) return Fail(handle, L"Empty report");
    const auto it = bus.devices_.find(handle->deviceId);
    if (it == bus.devices_.end()) {
      return Fail(handle, Disconnected(kind == FrameKind::Output ? "" : "ioctl (SFEATURE): "));
    }
    Bus::Device& device = it->second;
    if (!device.firmware) return Fail(handle, L"Broken pipe");
    const std::span<const std::uint8_t> bytes(data, length);
    int& refuse = kind == FrameKind::Output ? device.faults.refuseWrites : device.faults.refuseFeatures;
    if (refuse > 0) {
      --refuse;
      device.firmware->Record(Frame{bus.NowLocked(), device.spec.interfaceNumber, kind,
                                    Bytes(bytes.begin(), bytes.end()), true, false});
      return Fail(handle, L"Write refused (simulated)");
    }
    device.firmware->Deliver(device.spec, kind, bytes, bus.NowLocked());
    bus.AfterTransferLocked(handle->deviceId);  // `device` may be gone after this
    handle->error.clear();
    return static_cast<int>(length);
  }

  static int GetFeature(hid_device* handle, unsigned char* data, std::size_t length) {
    if (!handle) return -1;
    Bus& bus = Bus::Instance();
    std::lock_guard lock(bus.mutex_);
    if (!data || length == 0) return Fail(handle, L"Empty report");
    const auto it = bus.devices_.find(handle->deviceId);
    if (it == bus.devices_.end()) return Fail(handle, Disconnected("ioctl (GFEATURE): "));
    Bus::Device& device = it->second;
    if (!device.firmware) return Fail(handle, L"Broken pipe");
    const std::uint8_t reportId = data[0];
    const std::uint64_t now = bus.NowLocked();
    if (device.faults.failGets > 0) {
      --device.faults.failGets;
      device.firmware->Record(Frame{now, device.spec.interfaceNumber, FrameKind::GetFeature,
                                    Bytes{reportId}, true, false});
      return Fail(handle, L"Get feature report failed (simulated)");
    }
    Bytes reply;
    if (!device.faults.canned.empty()) {
      reply = std::move(device.faults.canned.front());
      device.faults.canned.erase(device.faults.canned.begin());
      if (reply.size() > length) reply.resize(length);
      device.firmware->Record(Frame{now, device.spec.interfaceNumber, FrameKind::GetFeature,
                                    reply, false, false});
    } else {
      const bool wrongId = device.faults.wrongIdGets > 0;
      if (wrongId) --device.faults.wrongIdGets;
      reply = device.firmware->Answer(device.spec, reportId, wrongId, length, now);
    }
    bus.AfterTransferLocked(handle->deviceId);
    if (reply.empty()) return Fail(handle, L"Broken pipe");
    std::copy(reply.begin(), reply.end(), data);
    handle->error.clear();
    return static_cast<int>(reply.size());
  }

  static hid_device_info* DeviceInfo(hid_device* handle) {
    if (!handle) return nullptr;
    Bus& bus = Bus::Instance();
    std::lock_guard lock(bus.mutex_);
    const auto it = bus.devices_.find(handle->deviceId);
    if (it == bus.devices_.end()) {
      Fail(handle, Disconnected(""));
      return nullptr;
    }
    if (!handle->info) handle->info = NewInfo(it->second.spec);
    return handle->info;
  }

  static int ProductString(hid_device* handle, wchar_t* out, std::size_t maxlen) {
    if (!handle) return -1;
    Bus& bus = Bus::Instance();
    std::lock_guard lock(bus.mutex_);
    const auto it = bus.devices_.find(handle->deviceId);
    if (it == bus.devices_.end()) return Fail(handle, Disconnected(""));
    return CopyWide(it->second.spec.product, out, maxlen);
  }

  static int Unsupported(hid_device* handle) {
    if (!handle) return -1;
    Bus& bus = Bus::Instance();
    std::lock_guard lock(bus.mutex_);
    return Fail(handle, L"Not supported by the simulated bus");
  }

  // The text is copied per thread, so the pointer stays valid while other
  // threads keep failing on the same handle.
  static const wchar_t* Error(hid_device* handle) {
    thread_local std::wstring copy;
    Bus& bus = Bus::Instance();
    std::lock_guard lock(bus.mutex_);
    const std::wstring& text = handle ? handle->error : GlobalError();
    copy = text.empty() ? L"Success" : text;
    return copy.c_str();
  }

 private:
  static std::wstring& GlobalError() {
    static std::wstring text;
    return text;
  }

  static int Fail(hid_device* handle, std::wstring text) {
    handle->error = std::move(text);
    return -1;
  }
};

}  // namespace hidsim

using hidsim::HidapiBridge;

extern "C" {

int hid_init(void) { return HidapiBridge::Init(); }

int hid_exit(void) { return HidapiBridge::Exit(); }

struct hid_device_info* hid_enumerate(unsigned short vendor_id, unsigned short product_id) {
  return HidapiBridge::Enumerate(vendor_id, product_id);
}

void hid_free_enumeration(struct hid_device_info* devs) {
  while (devs) {
    hid_device_info* next = devs->next;
    hidsim::FreeInfo(devs);
    devs = next;
  }
}

hid_device* hid_open(unsigned short vendor_id, unsigned short product_id, const wchar_t* serial_number) {
  // Simulated interfaces have no serial number, so asking for one finds nothing.
  if (serial_number && *serial_number) return nullptr;
  return HidapiBridge::Open([&](const hidsim::InterfaceSpec& spec) {
    return spec.vendorId == vendor_id && spec.productId == product_id;
  });
}

hid_device* hid_open_path(const char* path) {
  if (!path) return nullptr;
  const std::string wanted(path);
  return HidapiBridge::Open([&](const hidsim::InterfaceSpec& spec) { return spec.path == wanted; });
}

int hid_write(hid_device* dev, const unsigned char* data, size_t length) {
  return HidapiBridge::Write(dev, data, length, hidsim::FrameKind::Output);
}

int hid_read_timeout(hid_device* dev, unsigned char*, size_t, int) {
  return HidapiBridge::Unsupported(dev);
}

int hid_read(hid_device* dev, unsigned char*, size_t) { return HidapiBridge::Unsupported(dev); }

int hid_set_nonblocking(hid_device* dev, int) { return HidapiBridge::Unsupported(dev); }

int hid_send_feature_report(hid_device* dev, const unsigned char* data, size_t length) {
  return HidapiBridge::Write(dev, data, length, hidsim::FrameKind::Feature);
}

int hid_get_feature_report(hid_device* dev, unsigned char* data, size_t length) {
  return HidapiBridge::GetFeature(dev, data, length);
}

int hid_get_input_report(hid_device* dev, unsigned char*, size_t) {
  return HidapiBridge::Unsupported(dev);
}

void hid_close(hid_device* dev) { HidapiBridge::Close(dev); }

int hid_get_manufacturer_string(hid_device* dev, wchar_t* string, size_t maxlen) {
  return dev ? hidsim::CopyWide(L"", string, maxlen) : -1;
}

int hid_get_product_string(hid_device* dev, wchar_t* string, size_t maxlen) {
  return HidapiBridge::ProductString(dev, string, maxlen);
}

int hid_get_serial_number_string(hid_device* dev, wchar_t* string, size_t maxlen) {
  return dev ? hidsim::CopyWide(L"", string, maxlen) : -1;
}

struct hid_device_info* hid_get_device_info(hid_device* dev) { return HidapiBridge::DeviceInfo(dev); }

int hid_get_indexed_string(hid_device* dev, int, wchar_t*, size_t) {
  return HidapiBridge::Unsupported(dev);
}

const wchar_t* hid_error(hid_device* dev) { return HidapiBridge::Error(dev); }

const struct hid_api_version* hid_version(void) {
  static const hid_api_version version{HID_API_VERSION_MAJOR, HID_API_VERSION_MINOR,
                                       HID_API_VERSION_PATCH};
  return &version;
}

const char* hid_version_str(void) { return HID_API_VERSION_STR; }

}  // extern "C"
