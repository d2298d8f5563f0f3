#include "lighting/Visualizer.h"

#include <gtest/gtest.h>

#include "tests/lighting/MusicFakeClock.h"
#include "tests/lighting/MusicFakeSource.h"
#include "tests/lighting/MusicSignals.h"

using namespace music_signals;
using ZephUI::GdiColor;

namespace {

// Full colours come out at 254 per channel after the brightness scale.
const GdiColor kWhite = GdiColor::FromRgb(254, 254, 254);
const GdiColor kGreen = GdiColor::FromRgb(0, 254, 0);

MusicLayerRecord Layer(int foreMode, int backMode, int backBright, int amplitude) {
  MusicLayerRecord layer;
  layer.foreMode = foreMode;
  layer.backMode = backMode;
  layer.backBright = backBright;
  layer.foreAmplitude = amplitude;
  return layer;
}

class VisualizerTest : public testing::Test {
 protected:
  void SetUp() override {
    auto source = std::make_unique<MusicFakeSource>();
    source_ = source.get();
    visualizer_ = std::make_unique<Visualizer>(std::move(source), clock_);
    visualizer_->initialise();
  }

  // White bars on a green background at the given gain.
  void WhiteOnGreen(int amplitude) { visualizer_->setMusicLayer(Layer(1, 5, 100, amplitude), Painting::On); }

  void Frame(const std::vector<float>& packet = {}) {
    if (!packet.empty()) source_->PushFloats(packet);
    visualizer_->PaintFrame();
  }

  MusicFakeClock clock_;
  MusicFakeSource* source_ = nullptr;
  std::unique_ptr<Visualizer> visualizer_;
};

}  // namespace

TEST_F(VisualizerTest, SilencePaintsOnlyTheBackgroundWithAnUnlitLevelLine) {
  WhiteOnGreen(270);
  for (int i = 0; i < 3; ++i) Frame(Silence(256));
  VisualizerImage expected;
  expected.Fill(kGreen);
  EXPECT_EQ(visualizer_->frontImage(), expected);
}

TEST_F(VisualizerTest, LitRowsShrinkByTheDecayOnceTheSoundStops) {
  WhiteOnGreen(1000000);
  Frame(Noise(1.0, 256));
  for (int row = 1; row < 64; ++row) ASSERT_EQ(visualizer_->frontImage().At(row, 100), kWhite) << row;

  Frame(Silence(256));  // bars at 0.8: lit where (64 - r) / 64 < 0.8, from row 13 down
  VisualizerImage image = visualizer_->frontImage();
  EXPECT_EQ(image.At(12, 100), kGreen);
  EXPECT_EQ(image.At(13, 100), kWhite);
  EXPECT_EQ(image.At(63, 0), kWhite);
  EXPECT_EQ(image.At(0, 30), kGreen);  // level line L = 0.75: within 96 columns of the middle
  EXPECT_EQ(image.At(0, 33), kWhite);
  EXPECT_EQ(image.At(0, 225), kGreen);

  Frame();  // 0.64: from row 24 down
  image = visualizer_->frontImage();
  EXPECT_EQ(image.At(23, 200), kGreen);
  EXPECT_EQ(image.At(24, 200), kWhite);
}

TEST_F(VisualizerTest, FullScaleSoundLightsEveryRowOfEveryColumn) {
  WhiteOnGreen(1000000);
  Frame(Noise(1.0, kPacketSamples));
  const VisualizerImage image = visualizer_->frontImage();
  for (int column = 0; column < 256; ++column) {
    for (int row = 1; row < 64; ++row) ASSERT_EQ(image.At(row, column), kWhite) << row << "," << column;
  }
  // The level line at L = 0.95 reaches within 121.6 columns of the middle.
  EXPECT_EQ(image.At(0, 5), kGreen);
  EXPECT_EQ(image.At(0, 6), kWhite);
  EXPECT_EQ(image.At(0, 249), kWhite);
  EXPECT_EQ(image.At(0, 250), kGreen);
}

TEST_F(VisualizerTest, AFullScaleToneLightsItsColumnsUpToTheSmoothedLevel) {
  WhiteOnGreen(270);
  Frame(Tone(40.5, 1.0, kPacketSamples));
  const VisualizerImage image = visualizer_->frontImage();
  // Bars 160-167 clamp at 1; the moving average leaves 16/17 in the middle and 13/17 at bar 160.
  for (int column : {163, 164}) {
    EXPECT_EQ(image.At(3, column), kGreen);
    for (int row = 4; row < 64; ++row) EXPECT_EQ(image.At(row, column), kWhite) << row << "," << column;
  }
  EXPECT_EQ(image.At(15, 160), kGreen);
  EXPECT_EQ(image.At(16, 160), kWhite);
  EXPECT_EQ(image.At(63, 100), kGreen);
}

TEST_F(VisualizerTest, NoiseLightsEachColumnFromTheBottomUp) {
  WhiteOnGreen(270);
  Frame(Noise(1.0, kPacketSamples));
  const VisualizerImage image = visualizer_->frontImage();
  int lit = 0;
  for (int column = 0; column < 256; ++column) {
    for (int row = 1; row < 63; ++row) {
      if (image.At(row, column) == kWhite) {
        ++lit;
        ASSERT_EQ(image.At(row + 1, column), kWhite) << "gap below row " << row << " of column " << column;
      }
    }
  }
  EXPECT_GT(lit, 0);
  EXPECT_LT(lit, 62 * 256);
}

TEST_F(VisualizerTest, GainComesFromTheLayersAmplitudeAndPaintingResumesAsTold) {
  WhiteOnGreen(0);
  EXPECT_TRUE(visualizer_->active());
  Frame(Tone(40.5, 1.0, kPacketSamples));
  EXPECT_EQ(visualizer_->frontImage().At(63, 163), kGreen);
  visualizer_->setMusicLayer(Layer(1, 5, 100, 270), Painting::Off);
  EXPECT_FALSE(visualizer_->active());
}

TEST_F(VisualizerTest, HuePhaseMovesFiveDegreesAFrameAndWraps) {
  visualizer_->setMusicLayer(Layer(0, 19, 100, 270), Painting::On);
  Frame();
  EXPECT_EQ(visualizer_->frontImage().At(10, 10), ColourTable::Scale(ColourTable::Hue(0), 100));
  Frame();
  EXPECT_EQ(visualizer_->frontImage().At(10, 10), ColourTable::Scale(ColourTable::Hue(5), 100));
  for (int i = 0; i < 71; ++i) Frame();  // phase 360 wraps to 0
  EXPECT_EQ(visualizer_->frontImage().At(10, 10), ColourTable::Scale(ColourTable::Hue(0), 100));
}

TEST_F(VisualizerTest, KeysReadTheFrontImageAtTheirSampledCells) {
  visualizer_->setMusicLayer(Layer(0, 17, 100, 270), Painting::On);  // every cell differs
  Frame();
  EXPECT_EQ(visualizer_->keyColour(0, 0), GdiColor()) << "no grid yet";
  visualizer_->setKeyGrid(6, 21);
  const VisualizerImage image = visualizer_->frontImage();
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 21; ++j) ASSERT_EQ(visualizer_->keyColour(i, j), image.At(7 + 10 * i, 12 * j)) << i << "," << j;
  }
  EXPECT_EQ(visualizer_->keyColour(6, 0), GdiColor());
}

TEST_F(VisualizerTest, ADefaultDeviceChangeRestartsCapture) {
  ASSERT_EQ(source_->Starts(), 1);
  ASSERT_TRUE(source_->ChangeDefault());
  EXPECT_EQ(source_->Starts(), 2);
  EXPECT_TRUE(source_->Capturing());
}

TEST_F(VisualizerTest, ALostDeviceStopsCaptureUntilTheNextDefault) {
  WhiteOnGreen(270);
  source_->LoseDevice();
  Frame();
  EXPECT_EQ(source_->Stops(), 1);
  EXPECT_FALSE(source_->Capturing());
  source_->PushFloats(Tone(40.5, 1.0, kPacketSamples));
  Frame();
  EXPECT_EQ(visualizer_->frontImage().At(63, 163), kGreen) << "nothing is read while stopped";

  source_->ChangeDefault();
  Frame();
  EXPECT_EQ(visualizer_->frontImage().At(63, 163), kWhite);
}

TEST_F(VisualizerTest, ThePaintThreadPaintsEveryFifteenMillisecondsWhileActive) {
  WhiteOnGreen(270);
  const std::size_t before = clock_.Sleeps().size();
  visualizer_->start();
  ASSERT_TRUE(clock_.WaitForSleeps(before + 3));
  visualizer_->stop();
  const auto sleeps = clock_.Sleeps();
  for (std::size_t i = before; i < sleeps.size(); ++i) EXPECT_EQ(sleeps[i], Visualizer::kActivePeriodMs);
  EXPECT_EQ(visualizer_->frontImage().At(40, 40), kGreen);
}

TEST_F(VisualizerTest, WhileInactiveTheThreadOnlyDropsWaitingSound) {
  visualizer_->setMusicLayer(Layer(1, 5, 100, 270), Painting::Off);
  source_->PushFloats(Tone(40.5, 1.0, kPacketSamples));
  source_->PushFloats(Tone(40.5, 1.0, kPacketSamples));
  const std::size_t before = clock_.Sleeps().size();
  visualizer_->start();
  ASSERT_TRUE(clock_.WaitForSleeps(before + 30));
  visualizer_->stop();
  EXPECT_EQ(source_->Waiting(), 0u);
  EXPECT_EQ(visualizer_->frontImage(), VisualizerImage()) << "nothing painted";
  std::uint32_t idle = 0;
  const auto sleeps = clock_.Sleeps();
  for (std::size_t i = before; i < before + 25; ++i) idle += sleeps[i];
  EXPECT_EQ(idle, Visualizer::kInactivePeriodMs) << "one idle period between drains";
  EXPECT_GE(source_->Reads(), 2);
}
