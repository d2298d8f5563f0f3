#include "tests/demo/PlugCycler.h"

#include <chrono>
#include <cstdio>
#include <utility>

#include "tests/fakes/FakeHotplugSource.h"

namespace {

using Steady = std::chrono::steady_clock;
constexpr auto kPoll = std::chrono::milliseconds(1);
// Settled: no frame and no handle change for this long.
constexpr auto kQuiet = std::chrono::milliseconds(500);
// A wait on the program that lasts longer gives up; a loaded sanitizer build still stays well inside it.
constexpr auto kGiveUp = std::chrono::seconds(30);

// A udev device path as the monitor reports it: bus type, vendor and product
// ids and the hidraw node, which is what the presence logic matches.
std::string NoticePath(std::uint16_t vendorId, std::uint16_t productId, int sequence, const std::string& node) {
  const std::size_t slash = node.rfind('/');
  char ids[32];
  std::snprintf(ids, sizeof ids, "0003:%04X:%04X.%04X", vendorId, productId, static_cast<unsigned>(sequence & 0xFFFF));
  return std::string("/devices/virtual/simulated-usb/") + ids + "/hidraw/" + node.substr(slash + 1);
}

}  // namespace

PlugCycler::PlugCycler(hidsim::Bus& bus, FakeHotplugSource& notices, Keyboard keyboard)
    : bus_(bus), notices_(notices), keyboard_(std::move(keyboard)) {}

PlugCycler::~PlugCycler() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void PlugCycler::Start(int cycles) {
  thread_ = std::thread([this, cycles] {
    const int done = Run(cycles);
    if (done == cycles) {
      std::printf("plug cycles done: %d\n", done);
      std::fflush(stdout);
    } else if (!stop_) {
      std::fprintf(stderr, "plug cycles: %d of %d done; %s\n", done, cycles, failure_.c_str());
    }
  });
}

int PlugCycler::Run(int cycles) {
  failure_.clear();
  if (!Settle()) return 0;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    if (!Unplug() || !Plug()) {
      failure_ = "cycle " + std::to_string(cycle + 1) + ": " + failure_;
      return cycle;
    }
  }
  return cycles;
}

// Found: the program holds the keyboard open. Settled: nothing has moved for a while.
bool PlugCycler::Settle() {
  if (!WaitFor("the program to open the keyboard", [this] { return bus_.OpenHandles() > 0; })) return false;
  auto seen = std::make_pair(keyboard_.firmware->ChangeCount(), bus_.OpenHandles());
  auto still = Steady::now();
  return WaitFor("the program to settle", [&] {
    const auto now = std::make_pair(keyboard_.firmware->ChangeCount(), bus_.OpenHandles());
    if (now != seen) {
      seen = now;
      still = Steady::now();
    }
    return Steady::now() - still >= kQuiet;
  });
}

bool PlugCycler::Unplug() {
  const std::vector<std::string> paths = InterfacePaths();
  bus_.UnplugKeyboard(keyboard_.ids.vendor);
  Announce(DeviceEvent::RemoveComplete, paths);
  return WaitFor("the program to close the unplugged keyboard", [this] { return bus_.OpenHandles() == 0; });
}

bool PlugCycler::Plug() {
  const std::uint64_t before = keyboard_.firmware->ChangeCount();
  keyboard_.ids = bus_.PlugKeyboard(keyboard_.vendorId, keyboard_.productId, keyboard_.firmware);
  Announce(DeviceEvent::Arrival, InterfacePaths());
  return WaitFor("a frame from the program after the plug",
                 [this, before] { return keyboard_.firmware->ChangeCount() > before; });
}

// One notice per interface, as udev sends them for a keyboard with several.
void PlugCycler::Announce(DeviceEvent event, const std::vector<std::string>& paths) {
  for (const std::string& path : paths) notices_.Notify(event, path);
}

std::vector<std::string> PlugCycler::InterfacePaths() const {
  std::vector<std::string> paths;
  for (const int id : {keyboard_.ids.keys, keyboard_.ids.vendor, keyboard_.ids.stream}) {
    const std::string node = bus_.PathOf(id);
    if (!node.empty()) paths.push_back(NoticePath(keyboard_.vendorId, keyboard_.productId, id, node));
  }
  return paths;
}

bool PlugCycler::WaitFor(const char* step, const std::function<bool()>& done) {
  const auto giveUp = Steady::now() + kGiveUp;
  while (!done()) {
    if (stop_ || Steady::now() > giveUp) {
      failure_ = stop_ ? std::string("stopped") : std::string("no sign of ") + step;
      return false;
    }
    std::this_thread::sleep_for(kPoll);
  }
  return true;
}
