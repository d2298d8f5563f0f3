// The live lighting against a simulated family A keyboard: in the screen mode
// the keys take the colours of the screen regions they lie under and the
// stream carries them by light index; the sources run only while selected,
// and nothing is streamed for other modes or without the cable.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "catalogue/KeyboardLayout.h"
#include "device/KeyboardProtocol.h"
#include "lighting/ScreenCapture.h"
#include "lighting/ScreenImage.h"
#include "lighting/Visualizer.h"
#include "mainwindow/LiveLighting.h"
#include "tests/device/DeviceFixture.h"
#include "tests/lighting/MusicFakeSource.h"

using namespace devicetest;

namespace {

constexpr std::uint32_t kScreenMode = 0x400;
constexpr std::uint32_t kMusicMode = 0x200;
constexpr int kLeftKey = 0x104;   // row 0, column 0, light 2
constexpr int kRightKey = 0x105;  // row 5, column 17, light 7

// A screen painted red on its left half and blue on its right half.
class PaintedScreen : public ScreenCapture {
 public:
  bool Grab(ScreenImage& image) override {
    const int half = image.Width() / 2;
    image.FillRect(0, 0, half, image.Height(), ZephUI::ArgbColor(0xFFFF0000));
    image.FillRect(half, 0, image.Width(), image.Height(), ZephUI::ArgbColor(0xFF0000FF));
    return true;
  }
};

class LiveLightingTest : public HidFixture {
 protected:
  void SetUp() override {
    HidFixture::SetUp();
    Serve(0x0004, kFamilyAType, 0);
    PlugKeyboard(0x0004, firmware_);
    Rescan(kFamilyAType);
    protocol_ = std::make_unique<KeyboardProtocol>(*hid_, clock_);
    visualiser_ = std::make_unique<Visualizer>(std::make_unique<MusicFakeSource>(), clock_);
    live_ = std::make_unique<LiveLighting>(*protocol_, *visualiser_, std::make_unique<PaintedScreen>(),
                                           SteadyClock::Instance());
    KeyboardLayout layout;
    for (auto& row : layout.matrix) row.fill(KeyboardLayout::kNoKey);
    layout.matrix[0][0] = kLeftKey & 0xFF;
    layout.matrix[5][17] = kRightKey & 0xFF;
    layout.lightIndex = {{kLeftKey, 2}, {kRightKey, 7}};
    layout.rowCount = 6;
    layout.columnCount = 18;
    live_->SetLayout(layout);
  }
  void TearDown() override {
    live_.reset();
    visualiser_.reset();
    protocol_.reset();
    HidFixture::TearDown();
  }
  // The screen is sampled on its own thread: steps until a sample has coloured the keys (at most a few seconds).
  bool StepUntilLit() {
    for (int attempt = 0; attempt < 500; ++attempt) {
      if (live_->Step(kScreenMode, 0)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  std::shared_ptr<hidsim::FamilyAFirmware> firmware_;
  std::unique_ptr<KeyboardProtocol> protocol_;
  std::unique_ptr<Visualizer> visualiser_;
  std::unique_ptr<LiveLighting> live_;
};

TEST_F(LiveLightingTest, TheScreenModeStreamsThePaintedRegionsByLightIndex) {
  live_->Select(LiveSource::Screen);
  ASSERT_TRUE(StepUntilLit());
  const auto table = firmware_->StreamTable();
  EXPECT_EQ(table[3 * 2], 0xFF);      // left key: red
  EXPECT_EQ(table[3 * 2 + 2], 0x00);
  EXPECT_EQ(table[3 * 7], 0x00);      // right key: blue
  EXPECT_EQ(table[3 * 7 + 2], 0xFF);
  EXPECT_EQ(firmware_->StreamStarts(), 1);

  bool leftShown = false;
  for (const auto& [code, colour] : live_->LatestColours()) {
    if (code == kLeftKey) leftShown = colour == ZephUI::GdiColor(0x0000FF);
  }
  EXPECT_TRUE(leftShown) << "the picture gets the same colours as the keyboard";
}

TEST_F(LiveLightingTest, NothingStreamsForOtherModesWithoutTheCableOrWhenSilent) {
  live_->Select(LiveSource::Screen);
  ASSERT_TRUE(StepUntilLit());
  const std::size_t frames = firmware_->Writes().size();
  EXPECT_FALSE(live_->Step(0x1, 0));
  EXPECT_FALSE(live_->Step(kScreenMode, 1));
  // The visualiser has heard nothing: its keys are dark, and dark keys are not sent.
  live_->Select(LiveSource::Music);
  EXPECT_TRUE(visualiser_->active());
  EXPECT_FALSE(live_->Step(kMusicMode, 0));
  EXPECT_EQ(firmware_->Writes().size(), frames);

  live_->Select(LiveSource::None);
  EXPECT_FALSE(visualiser_->active());
  EXPECT_EQ(live_->Selected(), LiveSource::None);
}

}  // namespace
