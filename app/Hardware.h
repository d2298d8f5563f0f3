// The hardware the program talks to is chosen when it is linked: the product
// uses the real devices, the demo build a simulated keyboard on a simulated
// HID bus. Both define these functions.
#pragma once

#include <memory>

class EvdevDiscovery;
class HotplugSource;
class UinputSink;

/// Readies the hardware before anything opens a device.
void PrepareHardware();
/// A short word shown at start-up: empty for the product, "demo" for the demo build.
const char* HardwareVariant();
/// The event devices the key filter serves: udev's in the product, the simulated T40's key source in the demo.
EvdevDiscovery& KeyFilterDiscovery();
/// Where device notices come from: null for udev's monitor (the product), the simulated bus's in the demo.
HotplugSource* DeviceNotices();
/// A new, not yet created device for a key filter pass-through clone (uinput in the product).
std::unique_ptr<UinputSink> MakeFilterClone();
/// Opens the hardware's own windows beside the main window: the demo's "Simulated keyboard"; none in the product.
void ShowHardwareWindows();
