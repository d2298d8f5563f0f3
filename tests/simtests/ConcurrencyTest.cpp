// Devices come and go while other threads are inside hid_* calls. Also run
// under ThreadSanitizer.
#include <atomic>
#include <memory>
#include <thread>

#include "tests/sim/FamilyBFirmware.h"
#include "tests/simtests/SimFixture.h"

namespace {

using hidsim::Bytes;

class SimConcurrency : public SimFixture {};

TEST_F(SimConcurrency, PlugAndUnplugWhileAnotherThreadWrites) {
  auto fw = std::make_shared<hidsim::FamilyBFirmware>();
  std::atomic<bool> stop{false};
  std::atomic<int> accepted{0};
  std::atomic<int> refused{0};
  std::thread writer([&] {
    const Bytes level = Feature({0x07, 0x23, 0x45, 0x67, 0x89, 0x01, 0x20});
    while (!stop) {
      hid_device_info* list = hid_enumerate(0x1209, 0x0001);
      for (hid_device_info* n = list; n; n = n->next) {
        if (n->usage_page != 0xFF01 || n->interface_number == 3) continue;
        hid_device* h = hid_open_path(n->path);
        if (!h) continue;
        for (int i = 0; i < 5; ++i) {
          (Send(h, level) == 8 ? accepted : refused)++;
          hid_error(h);
        }
        hid_close(h);
      }
      hid_free_enumeration(list);
    }
  });
  for (int round = 0; round < 300; ++round) {
    const auto kb = bus_.PlugKeyboard(0x1209, 0x0001, fw);
    std::this_thread::yield();
    bus_.UnplugKeyboard(kb.vendor);
    if (round % 50 == 0) bus_.RefuseFeatureSends(bus_.PlugKeyboard(0x1209, 0x0001, fw).vendor, 2);
    if (round % 50 == 25) bus_.UnplugAll();
  }
  bus_.UnplugAll();
  stop = true;
  writer.join();
  EXPECT_EQ(bus_.OpenHandles(), 0);
  EXPECT_EQ(static_cast<int>(fw->MusicLevels().size()), accepted.load());
  EXPECT_TRUE(fw->UnexpectedFrames().empty());
}

TEST_F(SimConcurrency, TwoThreadsOnOneKeyboardLoseNoFrameAndNoWait) {
  auto fw = std::make_shared<hidsim::FamilyBFirmware>();
  const auto kb = bus_.PlugKeyboard(0x1209, 0x0001, fw);
  constexpr int kPerThread = 500;
  const auto run = [&](std::uint8_t effect) {
    hid_device* h = hid_open_path(bus_.PathOf(kb.vendor).c_str());
    for (int i = 0; i < kPerThread; ++i) {
      clock_.SleepMs(1);
      Send(h, Feature({0x07, 0x23, 0x45, 0x67, 0x89, effect, 0x01}));
      clock_.NowMs();
    }
    hid_close(h);
  };
  std::thread a(run, 1);
  std::thread b(run, 2);
  a.join();
  b.join();
  EXPECT_EQ(fw->MusicLevels().size(), 2u * kPerThread);
  EXPECT_EQ(clock_.Waits().size(), 2u * kPerThread);
  EXPECT_EQ(clock_.NowMs(), 2u * kPerThread);
  const auto frames = fw->Frames();
  for (std::size_t i = 1; i < frames.size(); ++i) {
    ASSERT_LE(frames[i - 1].timeMs, frames[i].timeMs);
  }
}

}  // namespace
