// The hardware the program talks to is chosen when it is linked: the product
// uses the real devices, the demo build a simulated keyboard on a simulated
// HID bus. Both define these functions.
#pragma once

/// Readies the hardware before anything opens a device.
void PrepareHardware();
/// A short word shown at start-up: empty for the product, "demo" for the demo build.
const char* HardwareVariant();
