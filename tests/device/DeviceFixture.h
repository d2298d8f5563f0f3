// Shared set-up for the keyboard link tests: an empty simulated bus on a
// virtual clock, a HidManager of the test's own on that clock, keyboards
// plugged and served in one step, frame builders, and a profile store on a
// fresh database for the key writers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/Paths.h"
#include "device/HidManager.h"
#include "store/ProfileStore.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyAFirmware.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/sim/VirtualClock.h"
#include "tests/support/TempFolder.h"

namespace devicetest {

inline constexpr std::uint16_t kVendor = 0x1209;
inline constexpr int kFamilyBType = 201;
inline constexpr int kFamilyAType = 100;

using hidsim::Bytes;

/// An 8-byte feature frame, zero-filled after the given bytes.
inline Bytes FeatureBytes(std::initializer_list<std::uint8_t> head) {
  Bytes frame(8, 0);
  std::copy(head.begin(), head.end(), frame.begin());
  return frame;
}

/// A 65-byte report frame (report id included), zero-filled after the given bytes.
inline Bytes ReportBytes(std::initializer_list<std::uint8_t> head) {
  Bytes frame(65, 0);
  std::copy(head.begin(), head.end(), frame.begin());
  return frame;
}

/// A long frame as it reaches the keyboard: report id 0, the mark, then the parameters.
inline Bytes LongBytes(std::initializer_list<std::uint8_t> parameters) {
  Bytes frame(65, 0);
  const std::uint8_t mark[] = {0xBB, 0xAA, 0x99, 0x88};
  std::copy(std::begin(mark), std::end(mark), frame.begin() + 1);
  std::copy(parameters.begin(), parameters.end(), frame.begin() + 5);
  return frame;
}

inline std::string Hex(const Bytes& bytes) {
  std::string out;
  char cell[4];
  for (std::uint8_t b : bytes) {
    std::snprintf(cell, sizeof cell, "%02X ", b);
    out += cell;
  }
  return out;
}

inline std::vector<Bytes> BytesOf(const std::vector<hidsim::Frame>& frames) {
  std::vector<Bytes> out;
  for (const hidsim::Frame& f : frames) out.push_back(f.bytes);
  return out;
}

inline std::vector<std::uint64_t> TimesOf(const std::vector<hidsim::Frame>& frames) {
  std::vector<std::uint64_t> out;
  for (const hidsim::Frame& f : frames) out.push_back(f.timeMs);
  return out;
}

inline std::vector<hidsim::Frame> OfKind(const std::vector<hidsim::Frame>& frames, hidsim::FrameKind kind) {
  std::vector<hidsim::Frame> out;
  for (const hidsim::Frame& f : frames) {
    if (f.kind == kind) out.push_back(f);
  }
  return out;
}

inline std::vector<std::uint32_t> Repeat(std::uint32_t wait, std::size_t count) {
  return std::vector<std::uint32_t>(count, wait);
}

inline std::vector<std::uint32_t> Concat(std::initializer_list<std::vector<std::uint32_t>> parts) {
  std::vector<std::uint32_t> out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

class HidFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    bus_.Reset();
    bus_.SetClock(&clock_);
    hid_ = std::make_unique<HidManager>(clock_);
  }

  void TearDown() override {
    hid_.reset();
    // Every test: the keyboards understood every frame, and the manager let go of everything.
    for (const auto& fw : firmwares_) {
      for (const hidsim::Frame& f : fw->UnexpectedFrames()) ADD_FAILURE() << "unexpected frame: " << Hex(f.bytes);
    }
    EXPECT_EQ(bus_.OpenHandles(), 0);
    EXPECT_EQ(bus_.InitCalls(), bus_.ExitCalls());
    bus_.Reset();
  }

  void Serve(std::uint16_t productId, int deviceType, int mode, const std::u16string& productName = u"") {
    hid_->addSupportedDevice(SupportedDevice{kVendor, productId, productName, deviceType, mode, u""});
  }

  template <typename Fw>
  std::shared_ptr<Fw> Track(std::shared_ptr<Fw> fw) {
    firmwares_.push_back(fw);
    return fw;
  }

  /// A whole keyboard (interfaces 0, 1 and 3) with a firmware model of its own.
  template <typename Fw>
  hidsim::Bus::KeyboardIds PlugKeyboard(std::uint16_t productId, std::shared_ptr<Fw>& fw) {
    fw = Track(std::make_shared<Fw>());
    return bus_.PlugKeyboard(kVendor, productId, fw);
  }

  /// One interface with the given collection and number.
  int PlugInterface(std::uint16_t productId, std::uint16_t usagePage, std::uint16_t usage, int number,
                    std::shared_ptr<hidsim::Firmware> fw, std::uint16_t release = 0x0100,
                    const std::wstring& product = L"") {
    hidsim::InterfaceSpec spec;
    spec.path = "/dev/hidraw" + std::to_string(100 + nextPath_++);
    spec.vendorId = kVendor;
    spec.productId = productId;
    spec.releaseNumber = release;
    spec.usagePage = usagePage;
    spec.usage = usage;
    spec.interfaceNumber = number;
    spec.product = product;
    return bus_.Plug(spec, std::move(fw));
  }

  /// The rescan the presence logic runs, then the device type commands are for.
  void Rescan(int deviceType) {
    hid_->closeAll();
    hid_->scan();
    hid_->setOpen(true);
    hid_->setCurrentDeviceType(deviceType);
  }

  std::vector<HidEntryInfo> Entries() const {
    std::vector<HidEntryInfo> out;
    hid_->listEntries(out);
    return out;
  }

  hidsim::Bus& bus_ = hidsim::Bus::Instance();
  hidsim::VirtualClock clock_;
  std::unique_ptr<HidManager> hid_;
  std::vector<std::shared_ptr<hidsim::Firmware>> firmwares_;
  int nextPath_ = 0;
};

/// A profile store on a fresh database, for the key writers.
class StoreBacked {
 public:
  StoreBacked() {
    ok_ = CreateFolderTree(folder_.Path() + "db") && store_.OpenDeviceDatabase(folder_.Path(), u"Board");
  }
  ~StoreBacked() { store_.Close(); }

  bool ok() const { return ok_; }
  ProfileStore& store() { return store_; }

  static constexpr int kProfile = 1;
  static constexpr int kLayer = 0;

  /// Stores one assignment of the test profile and layer.
  void Assign(int keyCode, int type, int value, int value2 = 0) {
    KeyAssignmentRecord r;
    r.profile = kProfile;
    r.layer = kLayer;
    r.keyCode = keyCode;
    r.macroType = type;
    r.macroValue = value;
    r.macroValue2 = value2;
    ASSERT_GT(store_.SaveKeyAssignment(r), 0) << "key " << keyCode;
  }

  struct Step {
    int type;
    int value;
    int delay;
  };

  /// Stores a macro with its steps in order; its id.
  int AddMacro(int playTimes, const std::vector<Step>& steps) {
    MacroRecord m;
    m.name = u"m";
    m.playTimes = playTimes;
    const int id = store_.AddMacro(m);
    std::vector<StepRecord> records;
    for (std::size_t i = 0; i < steps.size(); ++i) {
      StepRecord s;
      s.macroId = id;
      s.type = steps[i].type;
      s.recordIndex = static_cast<int>(i);
      s.value = steps[i].value;
      s.delayTime = steps[i].delay;
      records.push_back(s);
    }
    EXPECT_EQ(store_.AddSteps(records), static_cast<int>(records.size()));
    return id;
  }

 private:
  testsupport::TempFolder folder_;
  ProfileStore store_;
  bool ok_ = false;
};

}  // namespace devicetest
