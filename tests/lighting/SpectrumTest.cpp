#include "lighting/Spectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

#include "tests/lighting/MusicSignals.h"

using namespace music_signals;

namespace {

// One frame as the visualiser runs it.
void Frame(Spectrum& spectrum, const std::vector<float>& packet) {
  spectrum.Decay();
  spectrum.Append(packet);
  spectrum.Update();
}

std::array<float, Spectrum::kBands> Ramp() {
  std::array<float, Spectrum::kBands> bars{};
  std::iota(bars.begin(), bars.end(), 0.0f);
  return bars;
}

}  // namespace

TEST(SpectrumLevels, SilenceLeavesEveryBarAtZero) {
  Spectrum spectrum;
  for (int i = 0; i < 3; ++i) Frame(spectrum, Silence(256));
  for (float bar : spectrum.Bars()) EXPECT_EQ(bar, 0.0f);
}

TEST(SpectrumLevels, AfterTheSoundStopsBarsFallByAFifthEachFrame) {
  Spectrum spectrum;
  spectrum.SetGain(1e6);
  Frame(spectrum, Noise(1.0, 256));
  for (float bar : spectrum.Bars()) ASSERT_EQ(bar, 1.0f) << "loud noise must fill every band";

  // A full history of silence, then frames with no sound at all.
  Frame(spectrum, Silence(256));
  for (float bar : spectrum.Bars()) ASSERT_FLOAT_EQ(bar, 0.8f);
  Frame(spectrum, {});
  for (float bar : spectrum.Bars()) ASSERT_FLOAT_EQ(bar, 0.64f);
  Frame(spectrum, {});
  for (float bar : spectrum.Display()) ASSERT_FLOAT_EQ(bar, 0.512f);
}

TEST(SpectrumLevels, AToneLevelFollowsTheTransformScaleTiltAndLogCurve) {
  Spectrum spectrum;
  spectrum.SetWindow(WindowKind::None);
  spectrum.SetSmoothing(Smoothing::Moving, 0);
  spectrum.SetGain(20.0);
  Frame(spectrum, Tone(16.0, 1.0, 256));

  // Two frames are averaged per sample, so the sine's amplitude is 2 x gain x cos(pi 16 / 512);
  // a bin-centred sine of amplitude A has |X| = A x 256 / 2, scaled by 1/512 and tilt(16).
  const double amplitude = 2.0 * 20.0 * std::cos(std::numbers::pi * 16.0 / 512.0);
  const double m = amplitude * 128.0 / 512.0 * (0.04 + 0.5 * 16.0 / 256.0);
  const double expected = 0.5 * std::log10(1.1 * m) + 0.9 * m;
  for (int bar = 64; bar < 68; ++bar) EXPECT_NEAR(spectrum.Bars()[static_cast<std::size_t>(bar)], expected, 1e-4);
  EXPECT_EQ(spectrum.Bars()[63], 0.0f);
  EXPECT_EQ(spectrum.Bars()[68], 0.0f);
}

TEST(SpectrumLevels, AFullScaleToneClampsItsBarsAtOne) {
  Spectrum spectrum;
  spectrum.SetSmoothing(Smoothing::Moving, 0);
  Frame(spectrum, Tone(20.5, 1.0, kPacketSamples));
  for (int bar = 80; bar < 88; ++bar) EXPECT_EQ(spectrum.Bars()[static_cast<std::size_t>(bar)], 1.0f) << bar;
  EXPECT_LT(spectrum.Bars()[250], 0.5f);
  for (float bar : spectrum.Bars()) EXPECT_LE(bar, 1.0f);
}

TEST(SpectrumLevels, SmoothingSpreadsAClampedToneOverItsNeighbours) {
  // Bins 40 and 41 clamp: bars 160-167 at 1 before the moving average of 17 bars.
  Spectrum spectrum;
  Frame(spectrum, Tone(40.5, 1.0, kPacketSamples));
  EXPECT_FLOAT_EQ(spectrum.Bars()[163], 16.0f / 17.0f);
  EXPECT_FLOAT_EQ(spectrum.Bars()[160], 13.0f / 17.0f);
  EXPECT_FLOAT_EQ(spectrum.Bars()[151], 4.0f / 17.0f);
  EXPECT_EQ(spectrum.Bars()[100], 0.0f);
}

TEST(SpectrumLevels, TheDirectCurrentBinTakesTheFirstBinsValue) {
  // A constant signal only has energy in bin 0, which is replaced by the empty bin 1.
  Spectrum spectrum;
  spectrum.SetWindow(WindowKind::None);
  spectrum.SetSmoothing(Smoothing::Moving, 0);
  Frame(spectrum, std::vector<float>(1024, 0.5f));
  for (float bar : spectrum.Bars()) EXPECT_NEAR(bar, 0.0f, 1e-6f);
}

TEST(SpectrumLevels, NoiseStaysInRangeAndTiltLiftsTheHighBands) {
  Spectrum spectrum;
  Frame(spectrum, Noise(1.0, kPacketSamples));
  const auto bars = spectrum.Bars();
  for (float bar : bars) {
    EXPECT_GE(bar, 0.0f);
    EXPECT_LE(bar, 1.0f);
  }
  const float low = std::accumulate(bars.begin(), bars.begin() + 64, 0.0f);
  const float high = std::accumulate(bars.end() - 64, bars.end(), 0.0f);
  EXPECT_GT(high, 4.0f * low);
  EXPECT_GT(high, 0.0f);
}

TEST(SpectrumLevels, PacketsSplitMidGroupGiveTheSameBars) {
  const std::vector<float> sound = Noise(0.2, 300);
  Spectrum whole;
  Frame(whole, sound);

  Spectrum pieces;
  pieces.Decay();
  for (std::size_t at = 0; at < sound.size(); at += 7) {
    const std::size_t count = std::min<std::size_t>(7, sound.size() - at);
    pieces.Append(std::span<const float>(sound).subspan(at, count));
  }
  pieces.Update();
  for (int i = 0; i < Spectrum::kBands; ++i) {
    ASSERT_EQ(whole.Bars()[static_cast<std::size_t>(i)], pieces.Bars()[static_cast<std::size_t>(i)]) << i;
  }
}

TEST(SpectrumLevels, FollowMovesTheDisplayPartWay) {
  Spectrum spectrum;
  spectrum.SetFollow(0.5);
  spectrum.SetSmoothing(Smoothing::Moving, 0);
  Frame(spectrum, Tone(20.5, 1.0, kPacketSamples));
  ASSERT_EQ(spectrum.Bars()[81], 1.0f);
  EXPECT_FLOAT_EQ(spectrum.Display()[81], 0.5f);
  Frame(spectrum, Tone(20.5, 1.0, kPacketSamples, kPacketSamples));
  EXPECT_FLOAT_EQ(spectrum.Display()[81], 0.75f);
}

TEST(SpectrumWindow, HannHammingAndBlackmanSpanAllTwoHundredFiftySixPoints) {
  Spectrum spectrum;
  const auto window = spectrum.Window();  // Hann by default
  EXPECT_NEAR(window[0], 0.0f, 1e-7f);
  EXPECT_NEAR(window[255], 0.0f, 1e-7f);  // symmetric: the last point closes the window
  EXPECT_NEAR(window[64], 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * 64 / 255), 1e-6);
  EXPECT_FLOAT_EQ(window[100], window[155]);

  spectrum.SetWindow(WindowKind::Hamming);
  EXPECT_NEAR(spectrum.Window()[0], 0.08f, 1e-6f);
  EXPECT_NEAR(spectrum.Window()[255], 0.08f, 1e-6f);
  EXPECT_GT(spectrum.Window()[127], 0.99f);

  spectrum.SetWindow(WindowKind::Blackman);
  EXPECT_NEAR(spectrum.Window()[0], 0.0f, 1e-6f);
  EXPECT_NEAR(spectrum.Window()[85], 0.42 - 0.5 * std::cos(2.0 * std::numbers::pi * 85 / 255) +
                                         0.08 * std::cos(4.0 * std::numbers::pi * 85 / 255), 1e-6);

  spectrum.SetWindow(WindowKind::None);
  for (float w : spectrum.Window()) EXPECT_EQ(w, 1.0f);
}

TEST(SpectrumSmoothing, BlockAverageTakesTheEndGroupsThenGroupsOfWidth) {
  auto bars = Ramp();
  Spectrum::Smooth(bars, Smoothing::Block, 8);
  EXPECT_FLOAT_EQ(bars[0], 3.5f);
  EXPECT_FLOAT_EQ(bars[7], 3.5f);
  EXPECT_FLOAT_EQ(bars[8], 11.5f);
  EXPECT_FLOAT_EQ(bars[247], 243.5f);
  EXPECT_FLOAT_EQ(bars[248], 251.5f);
  EXPECT_FLOAT_EQ(bars[255], 251.5f);
}

TEST(SpectrumSmoothing, BlockAverageWithAWidthThatDoesNotDivideShortensTheLastInnerGroup) {
  auto bars = Ramp();
  Spectrum::Smooth(bars, Smoothing::Block, 10);
  EXPECT_FLOAT_EQ(bars[9], 4.5f);      // first ten
  EXPECT_FLOAT_EQ(bars[10], 14.5f);    // 10..19
  EXPECT_FLOAT_EQ(bars[240], 242.5f);  // 240..245, cut short by the last group
  EXPECT_FLOAT_EQ(bars[246], 250.5f);  // last ten
}

TEST(SpectrumSmoothing, MovingAverageSpreadsASpikeOverTwiceTheWidthPlusOne) {
  std::array<float, Spectrum::kBands> bars{};
  bars[100] = 17.0f;
  Spectrum::Smooth(bars, Smoothing::Moving, 8);
  EXPECT_FLOAT_EQ(bars[91], 0.0f);
  EXPECT_FLOAT_EQ(bars[92], 1.0f);
  EXPECT_FLOAT_EQ(bars[108], 1.0f);
  EXPECT_FLOAT_EQ(bars[109], 0.0f);
}

TEST(SpectrumSmoothing, MovingAverageWindowGrowsFromOneAtTheEnds) {
  std::array<float, Spectrum::kBands> spike{};
  spike[0] = 9.0f;
  Spectrum::Smooth(spike, Smoothing::Moving, 8);
  EXPECT_FLOAT_EQ(spike[0], 9.0f);       // window of 1
  EXPECT_FLOAT_EQ(spike[1], 3.0f);       // bars 0..2
  EXPECT_FLOAT_EQ(spike[8], 9.0f / 17);  // full width from here
  EXPECT_FLOAT_EQ(spike[9], 0.0f);

  auto ramp = Ramp();  // a centred window keeps a straight line, ends included
  Spectrum::Smooth(ramp, Smoothing::Moving, 8);
  EXPECT_FLOAT_EQ(ramp[0], 0.0f);
  EXPECT_FLOAT_EQ(ramp[3], 3.0f);
  EXPECT_FLOAT_EQ(ramp[255], 255.0f);
}

