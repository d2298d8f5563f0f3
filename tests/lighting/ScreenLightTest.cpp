#include "lighting/ScreenLight.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

#include "lighting/ScreenCapture.h"
#include "lighting/ScreenImage.h"
#include "lighting/X11ScreenCapture.h"
#include "tests/sim/VirtualClock.h"

namespace {

using ZephUI::ArgbColor;
using ZephUI::GdiColor;

constexpr int kColumns = ScreenLight::kGridWidth;
constexpr int kRows = ScreenLight::kGridHeight;

// Every cell differs from its neighbours, and red, green and blue all vary differently.
ArgbColor PatternColour(int row, int column) {
  return ArgbColor::FromArgb(0xFF, static_cast<std::uint8_t>(14 * column + 8), static_cast<std::uint8_t>(40 * row + 20),
                             static_cast<std::uint8_t>(2 * (column * kRows + row) + 10));
}

// Each cell's colour over the part of the screen that cell stands for.
void PaintPattern(ScreenImage& screen) {
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      screen.FillRect(column * screen.Width() / kColumns, row * screen.Height() / kRows,
                      (column + 1) * screen.Width() / kColumns, (row + 1) * screen.Height() / kRows,
                      PatternColour(row, column));
    }
  }
}

// Cell edges fall between screen pixels, so a cell may take in a sliver of its neighbours.
void ExpectNear(GdiColor actual, ArgbColor expected, int row, int column) {
  constexpr int kTolerance = 3;
  EXPECT_NEAR(actual.Red(), expected.Red(), kTolerance) << "row " << row << " column " << column;
  EXPECT_NEAR(actual.Green(), expected.Green(), kTolerance) << "row " << row << " column " << column;
  EXPECT_NEAR(actual.Blue(), expected.Blue(), kTolerance) << "row " << row << " column " << column;
}

// Passes grabs on to a painter (or fails them), counts them, and lets each take virtual time.
class FakeCapture : public ScreenCapture {
 public:
  using Painter = std::function<bool(ScreenImage&)>;

  FakeCapture(Painter painter, hidsim::VirtualClock& clock) : painter_(std::move(painter)), clock_(clock) {}

  bool Grab(ScreenImage& image) override {
    clock_.Advance(grabMs);
    const bool grabbed = painter_(image);
    std::lock_guard lock(mutex_);
    ++grabs_;
    grabbed_.notify_all();
    return grabbed;
  }

  int Grabs() {
    std::lock_guard lock(mutex_);
    return grabs_;
  }
  // The timeout only guards against a hang; nothing here is timed.
  bool WaitForGrabs(int count) {
    std::unique_lock lock(mutex_);
    return grabbed_.wait_for(lock, std::chrono::seconds(20), [&] { return grabs_ >= count; });
  }

  std::uint64_t grabMs = 0;  ///< virtual time each grab takes; set while no thread runs

 private:
  Painter painter_;
  hidsim::VirtualClock& clock_;
  std::mutex mutex_;
  std::condition_variable grabbed_;
  int grabs_ = 0;
};

class ScreenLightTest : public ::testing::Test {
 protected:
  // A light whose screen is painted by `painter`; set `painter` before use.
  ScreenLight& Light() {
    if (!light_) {
      auto capture = std::make_unique<FakeCapture>([this](ScreenImage& screen) { return painter(screen); }, clock_);
      capture_ = capture.get();
      light_ = std::make_unique<ScreenLight>(std::move(capture), clock_);
    }
    return *light_;
  }

  FakeCapture::Painter painter = [](ScreenImage& screen) {
    PaintPattern(screen);
    return true;
  };
  hidsim::VirtualClock clock_;
  FakeCapture* capture_ = nullptr;
  std::unique_ptr<ScreenLight> light_;
};

TEST_F(ScreenLightTest, EighteenBySixGridMapsOneKeyPerCell) {
  Light().start(kColumns, kRows);
  ASSERT_TRUE(Light().sampleOnce());
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      ExpectNear(Light().cellColour(row, column), PatternColour(row, column), row, column);
    }
  }
}

TEST_F(ScreenLightTest, TopLeftKeyFollowsTopLeftCornerOfTheScreen) {
  painter = [](ScreenImage& screen) {
    screen.FillRect(0, 0, screen.Width(), screen.Height(), ArgbColor::FromArgb(0xFF, 0, 0, 0));
    screen.FillRect(0, 0, screen.Width() / kColumns, screen.Height() / kRows, ArgbColor::FromArgb(0xFF, 0xC0, 0x40, 8));
    return true;
  };
  Light().start(kColumns, kRows);
  ASSERT_TRUE(Light().sampleOnce());
  EXPECT_EQ(Light().cellColour(0, 0).Value(), 0x0840C0u);  // red in the lowest byte
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      if (row == 0 && column == 0) continue;
      EXPECT_EQ(Light().cellColour(row, column), GdiColor()) << row << "," << column;
    }
  }
}

// Going down each column, then on to the next: rows below the grid repeat the
// column's bottom cell, columns right of it the bottom-right cell. A size
// beyond 32 × 8 is clamped to the cells.
TEST_F(ScreenLightTest, GridLargerThanEighteenBySixRepeatsTheLastColourRead) {
  Light().start(40, 12);
  ASSERT_TRUE(Light().sampleOnce());
  for (int column = 0; column < ScreenLight::kMaxColumns; ++column) {
    for (int row = 0; row < ScreenLight::kMaxRows; ++row) {
      if (column < kColumns && row < kRows) continue;
      const int lastColumn = column < kColumns ? column : kColumns - 1;
      EXPECT_EQ(Light().cellColour(row, column), Light().cellColour(kRows - 1, lastColumn)) << row << "," << column;
    }
  }
  ExpectNear(Light().cellColour(7, 31), PatternColour(kRows - 1, kColumns - 1), 7, 31);
  EXPECT_EQ(Light().cellColour(8, 0), GdiColor());
  EXPECT_EQ(Light().cellColour(0, 32), GdiColor());
  EXPECT_EQ(Light().cellColour(-1, 0), GdiColor());
}

TEST_F(ScreenLightTest, CellsOutsideTheKeyGridOrAfterAFailedGrabKeepTheirColours) {
  Light().start(4, 2);
  ASSERT_TRUE(Light().sampleOnce());
  ExpectNear(Light().cellColour(1, 3), PatternColour(1, 3), 1, 3);
  EXPECT_EQ(Light().cellColour(2, 3), GdiColor());
  EXPECT_EQ(Light().cellColour(0, 4), GdiColor());

  const GdiColor before = Light().cellColour(1, 3);
  painter = [](ScreenImage& screen) {
    screen.FillRect(0, 0, screen.Width(), screen.Height(), ArgbColor::FromArgb(0xFF, 1, 2, 3));
    return false;
  };
  EXPECT_FALSE(Light().sampleOnce());
  EXPECT_EQ(Light().cellColour(1, 3), before);
}

TEST_F(ScreenLightTest, IdleOrFailedStepTakesNoSampleAndWaitsASecond) {
  EXPECT_EQ(Light().step(), ScreenLight::kIdleWaitMs);
  Light().setActive(ScreenSampling::On);
  Light().setActive(ScreenSampling::Off);
  EXPECT_EQ(Light().step(), ScreenLight::kIdleWaitMs);
  EXPECT_EQ(capture_->Grabs(), 0);

  painter = [](ScreenImage&) { return false; };
  Light().setActive(ScreenSampling::On);
  EXPECT_EQ(Light().step(), ScreenLight::kIdleWaitMs);
}

// At most about 30 samples a second, and four times a slow sample's length of
// rest, so sampling stays below a quarter of a core.
TEST_F(ScreenLightTest, SamplesArePaced) {
  Light().setActive(ScreenSampling::On);
  const std::pair<std::uint64_t, std::uint32_t> grabAndPause[] = {{0, 33}, {5, 28}, {20, 80}, {400, 1000}};
  for (const auto& [grabMs, pauseMs] : grabAndPause) {
    capture_->grabMs = grabMs;
    EXPECT_EQ(Light().step(), pauseMs) << "grab of " << grabMs << " ms";
  }
  EXPECT_EQ(capture_->Grabs(), 4);
}

TEST_F(ScreenLightTest, ThreadSamplesWhileActiveUntilStopped) {
  Light().start(kColumns, kRows);
  Light().setActive(ScreenSampling::On);
  ASSERT_TRUE(capture_->WaitForGrabs(3));
  Light().stop();
  const int grabs = capture_->Grabs();
  ExpectNear(Light().cellColour(5, 17), PatternColour(5, 17), 5, 17);
  Light().setActive(ScreenSampling::On);
  EXPECT_EQ(capture_->Grabs(), grabs);
}

// Without an X server the thread runs, finds no screen and leaves the cells alone.
TEST_F(ScreenLightTest, WithoutDisplayTheThreadLeavesTheCellsUnchanged) {
  X11ScreenCapture noScreen(":65000");  // a display number nobody serves
  ScreenImage image(ScreenLight::kScreenWidth, ScreenLight::kScreenHeight);
  painter = [&noScreen](ScreenImage& screen) { return noScreen.Grab(screen); };
  EXPECT_FALSE(noScreen.Grab(image));
  EXPECT_EQ(noScreen.Path(), ScreenCapturePath::NotGrabbed);

  Light().start(kColumns, kRows);
  Light().setActive(ScreenSampling::On);
  ASSERT_TRUE(capture_->WaitForGrabs(1));
  Light().stop();
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) EXPECT_EQ(Light().cellColour(row, column), GdiColor());
  }
}

}  // namespace
