// The demo build's hardware: one T40 in wired mode on the simulated HID bus,
// answering like the real keyboard's firmware, and a virtual keyboard that
// needs no uinput.
#include <memory>

#include "app/Hardware.h"
#include "macros/VHidev.h"
#include "tests/demo/DemoVirtualHidBackend.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"

namespace {
constexpr unsigned short kVendorId = 0x1209;
constexpr unsigned short kWiredProductId = 0x0001;
}  // namespace

void PrepareHardware() {
  hidsim::Bus::Instance().PlugKeyboard(kVendorId, kWiredProductId, std::make_shared<hidsim::FamilyBFirmware>());
  VHidev::UseInstanceBackend(std::make_unique<DemoVirtualHidBackend>());
}

const char* HardwareVariant() { return "demo"; }
