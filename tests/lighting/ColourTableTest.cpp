#include "lighting/ColourTable.h"

#include <gtest/gtest.h>

using ZephUI::GdiColor;

namespace {

GdiColor Rgb(int r, int g, int b) {
  return GdiColor::FromRgb(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b));
}

// A channel of 255 at brightness 100 comes out as 254: 255 x 255 / 256.
constexpr int kFull = 254;

ColourTable Built(int mode, int brightness = 100, double phase = 0.0) {
  ColourTable table;
  table.Build(mode, brightness, phase);
  return table;
}

}  // namespace

TEST(ColourTableBrightness, ScalesEachChannelByBrightnessTimes255Over25600) {
  EXPECT_EQ(ColourTable::Scale(GdiColor(0xFFFFFF), 100), Rgb(254, 254, 254));
  EXPECT_EQ(ColourTable::Scale(GdiColor(0xFFFFFF), 50), Rgb(127, 127, 127));
  EXPECT_EQ(ColourTable::Scale(GdiColor(0x0040FF), 100), Rgb(254, 63, 0));  // 64 x 0.996 = 63.75
  EXPECT_EQ(ColourTable::Scale(GdiColor(0xFFFFFF), 0), Rgb(0, 0, 0));
}

TEST(ColourTableSolid, ModesZeroToEightFillOneColour) {
  EXPECT_EQ(Built(0).Grid().At(10, 10), Rgb(0, 0, 0));
  EXPECT_EQ(Built(2).Grid().At(0, 0), Rgb(kFull, 0, 0));
  EXPECT_EQ(Built(6).Grid().At(63, 255), Rgb(0, kFull, kFull));  // 0xFFFF00 is cyan in GDI order
  EXPECT_EQ(Built(8).Grid().At(30, 128), Rgb(63, 0, kFull));     // 0xFF0040
  EXPECT_EQ(Built(1, 50).Grid().At(5, 5), Rgb(127, 127, 127));
}

TEST(ColourTableStops, RowsStepFromTheLastStopAtTheTopToTheFirstAtTheBottom) {
  const ColourTable table = Built(9);  // green, yellow, red
  const GdiColor green = Rgb(0, kFull, 0), yellow = Rgb(kFull, kFull, 0), red = Rgb(kFull, 0, 0);
  EXPECT_EQ(table.Grid().At(1, 40), red);
  EXPECT_EQ(table.Grid().At(21, 40), red);    // 3 x 42 / 63 = 2
  EXPECT_EQ(table.Grid().At(22, 40), yellow); // 3 x 41 / 63 = 1.95
  EXPECT_EQ(table.Grid().At(42, 40), yellow);
  EXPECT_EQ(table.Grid().At(43, 40), green);
  EXPECT_EQ(table.Grid().At(63, 40), green);
}

TEST(ColourTableStops, RowZeroHasTheFirstStopInTheMiddleAndTheLastAtTheEdges) {
  const ColourTable table = Built(9);
  const GdiColor green = Rgb(0, kFull, 0), yellow = Rgb(kFull, kFull, 0), red = Rgb(kFull, 0, 0);
  EXPECT_EQ(table.Grid().At(0, 0), red);  // 3 clamps to 2
  EXPECT_EQ(table.Grid().At(0, 42), red);
  EXPECT_EQ(table.Grid().At(0, 43), yellow);
  EXPECT_EQ(table.Grid().At(0, 127), green);
  EXPECT_EQ(table.Grid().At(0, 128), green);
  EXPECT_EQ(table.Grid().At(0, 213), yellow);  // 85 x 3 / 128 = 1.99
  EXPECT_EQ(table.Grid().At(0, 214), red);
  EXPECT_EQ(table.Grid().At(0, 255), red);
}

TEST(ColourTableStops, SixStopTablesUseAllSix) {
  const ColourTable table = Built(13);
  EXPECT_EQ(table.Grid().At(1, 0), Rgb(kFull, 0, kFull));  // stop 5, 0xFF00FF
  EXPECT_EQ(table.Grid().At(63, 0), Rgb(kFull, 0, 0));     // stop 0, 0x0000FF
  EXPECT_EQ(Built(14).Grid().At(63, 0), Rgb(kFull, 0, kFull));
  EXPECT_EQ(Built(12, 50).Grid().At(32, 0), Rgb(127, 127, 127));  // 3 x 31 / 63 = 1: white
}

TEST(ColourTableRainbow, SineRainbowTruncatesEachChannelAndNegativeAnglesKeepTheirSign) {
  EXPECT_EQ(ColourTable::SineRainbow(0), Rgb(127, 16, 237));
  EXPECT_EQ(ColourTable::SineRainbow(90), Rgb(253, 63, 63));  // sin(1.57) is just below 1
  EXPECT_EQ(ColourTable::SineRainbow(450), Rgb(253, 63, 63));
  EXPECT_EQ(ColourTable::SineRainbow(180), Rgb(127, 236, 16));
  EXPECT_EQ(ColourTable::SineRainbow(-90), Rgb(0, 190, 190));
  EXPECT_EQ(ColourTable::SineRainbow(-9), Rgb(107, 28, 245));
}

TEST(ColourTableRainbow, ModeFifteenRunsAcrossColumnsWithThePhaseAndTwentyIsOneColour) {
  // Column 64: a = trunc(64 x 1.4117647 - phase).
  EXPECT_EQ(Built(15).Grid().At(40, 64), ColourTable::Scale(ColourTable::SineRainbow(90), 100));
  EXPECT_EQ(Built(15, 100, 100.0).Grid().At(3, 64), ColourTable::Scale(ColourTable::SineRainbow(-9), 100));
  EXPECT_EQ(Built(15).Grid().At(0, 64), Built(15).Grid().At(63, 64));
  EXPECT_EQ(Built(20, 100, 90.7).Grid().At(63, 255), ColourTable::Scale(Rgb(253, 63, 63), 100));  // mode 20: one colour
}

TEST(ColourTableHue, SixtyDegreeSectorsAtFullSaturation) {
  EXPECT_EQ(ColourTable::Hue(0), Rgb(255, 0, 0));
  EXPECT_EQ(ColourTable::Hue(30), Rgb(255, 127, 0));
  EXPECT_EQ(ColourTable::Hue(60), Rgb(255, 255, 0));
  EXPECT_EQ(ColourTable::Hue(180), Rgb(0, 255, 255));
  EXPECT_EQ(ColourTable::Hue(256), Rgb(68, 0, 255));
  EXPECT_EQ(ColourTable::Hue(359), Rgb(255, 0, 4));
  EXPECT_EQ(ColourTable::Hue(360), ColourTable::Hue(0));
  EXPECT_EQ(ColourTable::Hue(-1), ColourTable::Hue(359));
}

TEST(ColourTableHue, ModeSixteenRunsBackwardsAcrossColumns) {
  EXPECT_EQ(Built(16).Grid().At(10, 0), ColourTable::Scale(Rgb(68, 0, 255), 100));  // hue 256
  EXPECT_EQ(Built(16, 100, 10.7).Grid().At(10, 255), ColourTable::Scale(ColourTable::Hue(11), 100));
}

TEST(ColourTableHue, ModesSeventeenAndEighteenTurnAroundTheirCentreAndNineteenIsOneHue) {
  const auto hue = [](int h) { return ColourTable::Scale(ColourTable::Hue(h), 100); };
  EXPECT_EQ(Built(17).Grid().At(32, 200), hue(180));  // straight right of the centre
  EXPECT_EQ(Built(17).Grid().At(0, 128), hue(90));    // straight above
  EXPECT_EQ(Built(17).Grid().At(63, 0), hue(346));
  EXPECT_EQ(Built(18).Grid().At(63, 0), hue(0));      // 0.45 degrees, truncated
  EXPECT_EQ(Built(17, 100, 200.5).Grid().At(32, 200), hue(20));
  EXPECT_EQ(Built(19, 100, 120.9).Grid().At(63, 255), Rgb(0, kFull, 0));  // mode 19: one hue
}

TEST(ColourTableModes, UnknownModesLeaveTheTableAsItWas) {
  ColourTable table;
  table.Build(7, 100, 0.0);
  const VisualizerImage before = table.Grid();
  table.Build(21, 100, 0.0);
  table.Build(-1, 100, 0.0);
  EXPECT_EQ(table.Grid(), before);
}
