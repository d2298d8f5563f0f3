// The demo build's hardware: one T40 in wired mode on the simulated HID bus,
// answering like the real keyboard's firmware; a virtual keyboard that needs
// no uinput; the T40's key source for the key filter, with clones that only
// note what passes through; and the "Simulated keyboard" window.
//
// PELMORA_DEMO_KEYS=<path> lets another program press the T40's keys through
// a FIFO at that path (see KeyCommandPipe.h for the commands).
//
// PELMORA_DEMO_PLUG_CYCLES=N unplugs and plugs the T40 N times once the
// program has settled, then prints "plug cycles done: N" (see PlugCycler.h).
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/Hardware.h"
#include "app/Paths.h"
#include "macros/virtualdevice/VHidev.h"
#include "tests/demo/DemoInspector.h"
#include "tests/demo/KeyCommandPipe.h"
#include "tests/demo/KeyPictureLoader.h"
#include "tests/demo/PassedKeyLog.h"
#include "tests/demo/PassedKeysClone.h"
#include "tests/demo/PlayedKeysBackend.h"
#include "tests/demo/PlugCycler.h"
#include "tests/demo/SimulatedKeySource.h"
#include "tests/demo/SimulatedKeyboardWindow.h"
#include "tests/fakes/FakeHotplugSource.h"
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

// Never destroyed: the virtual keyboard writes its last reports while the program ends.
PlayedKeyLog& PlayedKeys() {
  static auto* const log = new PlayedKeyLog;
  return *log;
}

// The simulated bus has no udev behind it: whoever plugs the T40 in or out announces it here.
FakeHotplugSource& Notices() {
  static FakeHotplugSource notices;
  return notices;
}

// Made after the notices and the firmware, so it stops before they go at exit.
void StartPlugCycles(const hidsim::Bus::KeyboardIds& ids) {
  const char* count = std::getenv("PELMORA_DEMO_PLUG_CYCLES");
  if (count == nullptr || *count == '\0') return;
  static PlugCycler cycler(hidsim::Bus::Instance(), Notices(), {kVendorId, kWiredProductId, Firmware(), ids});
  cycler.Start(std::atoi(count));
}

// Made after the key source, so it stops reading before the source goes at exit.
void StartKeyPipe() {
  const char* path = std::getenv("PELMORA_DEMO_KEYS");
  if (path == nullptr || *path == '\0') return;
  SimulatedKeySource& source = KeySource();
  static DemoInspector inspector(Firmware(), source, PassedKeys(), PlayedKeys());
  static KeyCommandPipe pipe(source);
  pipe.SetInspector(&inspector);
  if (pipe.Start(path)) std::printf("key pipe: %s\n", path);
}

}  // namespace

void PrepareHardware() {
  Firmware()->SetFrameLogLimit(kFrameLog);
  const hidsim::Bus::KeyboardIds ids = hidsim::Bus::Instance().PlugKeyboard(kVendorId, kWiredProductId, Firmware());
  VHidev::UseInstanceBackend(std::make_unique<PlayedKeysBackend>(PlayedKeys()));
  PassedKeys();
  StartKeyPipe();
  StartPlugCycles(ids);
}

const char* HardwareVariant() { return "demo"; }

EvdevDiscovery& KeyFilterDiscovery() { return KeySource(); }

HotplugSource* DeviceNotices() { return &Notices(); }

std::unique_ptr<UinputSink> MakeFilterClone() { return std::make_unique<PassedKeysClone>(PassedKeys()); }

void ShowHardwareWindows() {
  // PELMORA_DEMO_KEYBOARD_WINDOW=0 leaves the program's own windows alone, as the product has them.
  if (const char* wanted = std::getenv("PELMORA_DEMO_KEYBOARD_WINDOW"); wanted != nullptr && std::string(wanted) == "0")
    return;
  // Shown again from the tray, the main window finds it still there.
  if (SimulatedKeyboardWindow::IsOpen()) return;
  // The window deletes itself when it is destroyed.
  auto* window = new SimulatedKeyboardWindow(Firmware(), PassedKeys(),
                                             KeyPictureLoader::Load(GetModuleFolder(), kT40DeviceType));
  window->Open();
}
