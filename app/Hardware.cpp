#include "app/Hardware.h"

#include "macros/filter/UdevEvdevDiscovery.h"
#include "macros/virtualdevice/UinputDevice.h"

// Real devices are found by hidapi, udev and uinput as they are.
void PrepareHardware() {}

const char* HardwareVariant() { return ""; }

EvdevDiscovery& KeyFilterDiscovery() {
  static UdevEvdevDiscovery discovery;
  return discovery;
}

HotplugSource* DeviceNotices() { return nullptr; }

std::unique_ptr<UinputSink> MakeFilterClone() { return std::make_unique<UinputDevice>(); }

// The real keyboard is its own window onto what it received.
void ShowHardwareWindows() {}
