#include "macros/virtualdevice/UinputDevice.h"

#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>

#include <array>

namespace {

constexpr std::array kRelativeAxes{REL_X, REL_Y, REL_WHEEL, REL_HWHEEL};

void EnableCodes(libevdev* device, unsigned type, const auto& codes) {
  libevdev_enable_event_type(device, type);
  for (const int code : codes) libevdev_enable_event_code(device, type, static_cast<unsigned>(code), nullptr);
}

}  // namespace

void UinputDevice::EvdevFree::operator()(libevdev* device) const { libevdev_free(device); }

void UinputDevice::UinputFree::operator()(libevdev_uinput* device) const { libevdev_uinput_destroy(device); }

UinputDevice::UinputDevice() = default;

UinputDevice::~UinputDevice() { Destroy(); }

bool UinputDevice::Create(const UinputDeviceSpec& spec) {
  Destroy();
  std::unique_ptr<libevdev, EvdevFree> description(libevdev_new());
  if (!description) return false;
  libevdev_set_name(description.get(), spec.name.c_str());
  libevdev_set_id_bustype(description.get(), spec.busType);
  libevdev_set_id_vendor(description.get(), spec.vendorId);
  libevdev_set_id_product(description.get(), spec.productId);
  EnableCodes(description.get(), EV_KEY, spec.keys);
  // Mouse buttons only reach applications from a device that can also point.
  if (spec.relativeAxes) EnableCodes(description.get(), EV_REL, kRelativeAxes);

  libevdev_uinput* created = nullptr;
  if (libevdev_uinput_create_from_device(description.get(), LIBEVDEV_UINPUT_OPEN_MANAGED, &created) != 0) {
    return false;
  }
  uinput_.reset(created);
  description_ = std::move(description);
  return true;
}

bool UinputDevice::IsCreated() const { return uinput_ != nullptr; }

bool UinputDevice::Emit(int type, int code, int value) {
  if (!uinput_) return false;
  return libevdev_uinput_write_event(uinput_.get(), static_cast<unsigned>(type), static_cast<unsigned>(code),
                                     value) == 0;
}

void UinputDevice::Destroy() {
  uinput_.reset();
  description_.reset();
}
