// The demo build's hardware: one T40 in wired mode on the simulated HID bus,
// answering like the real keyboard's firmware; a virtual keyboard that needs
// no uinput; the T40's key source for the key filter, with clones that only
// note what passes through; and the "Simulated keyboard" window.
//
// PELMORA_DEMO_KEYS=<path> lets another program press the T40's keys through
// a FIFO at that path (see KeyCommandPipe.h for the commands).
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/Hardware.h"
#include "app/Paths.h"
#include "macros/virtualdevice/VHidev.h"
#include "tests/demo/DemoVirtualHidBackend.h"
#include "tests/demo/KeyCommandPipe.h"
#include "tests/demo/KeyPictureLoader.h"
#include "tests/demo/PassedKeyLog.h"
#include "tests/demo/PassedKeysClone.h"
#include "tests/demo/SimulatedKeySource.h"
#include "tests/demo/SimulatedKeyboardWindow.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"

namespace {

constexpr unsigned short kVendorId = 0x1209;
constexpr unsigned short kWiredProductId = 0x0001;
constexpr int kT40DeviceType = 201;
// Enough history to look back at; the demo may run for hours with the music level at 30 frames a second.
constexpr std::size_t kFrameLog = 4096;

std::shared_ptr<hidsim::FamilyBFirmware>& Firmware() {
  static auto firmware = std::make_shared<hidsim::FamilyBFirmware>();
  return firmware;
}

SimulatedKeySource& KeySource() {
  static SimulatedKeySource source(kVendorId, kWiredProductId);
  return source;
}

PassedKeyLog& PassedKeys() {
  static PassedKeyLog log;
  return log;
}

// Made after the key source, so it stops reading before the source goes at exit.
void StartKeyPipe() {
  const char* path = std::getenv("PELMORA_DEMO_KEYS");
  if (path == nullptr || *path == '\0') return;
  SimulatedKeySource& source = KeySource();
  static KeyCommandPipe pipe(source);
  if (pipe.Start(path)) std::printf("key pipe: %s\n", path);
}

}  // namespace

void PrepareHardware() {
  Firmware()->SetFrameLogLimit(kFrameLog);
  hidsim::Bus::Instance().PlugKeyboard(kVendorId, kWiredProductId, Firmware());
  VHidev::UseInstanceBackend(std::make_unique<DemoVirtualHidBackend>());
  PassedKeys();
  StartKeyPipe();
}

const char* HardwareVariant() { return "demo"; }

EvdevDiscovery& KeyFilterDiscovery() { return KeySource(); }

std::unique_ptr<UinputSink> MakeFilterClone() { return std::make_unique<PassedKeysClone>(PassedKeys()); }

void ShowHardwareWindows() {
  // Shown again from the tray, the main window finds it still there.
  if (SimulatedKeyboardWindow::IsOpen()) return;
  // The window deletes itself when it is destroyed.
  auto* window = new SimulatedKeyboardWindow(Firmware(), PassedKeys(),
                                             KeyPictureLoader::Load(GetModuleFolder(), kT40DeviceType));
  window->Open();
}
