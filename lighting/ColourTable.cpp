#include "lighting/ColourTable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

using ZephUI::GdiColor;

namespace {

// Solid colours of modes 0-8.
constexpr std::array<GdiColor, 9> kSolids = {
    GdiColor(0x000000), GdiColor(0xFFFFFF), GdiColor(0x0000FF), GdiColor(0x0040FF), GdiColor(0x00FFFF),
    GdiColor(0x00FF00), GdiColor(0xFFFF00), GdiColor(0xFF0000), GdiColor(0xFF0040)};

constexpr std::array<GdiColor, 3> kStops9 = {GdiColor(0x00FF00), GdiColor(0x00FFFF), GdiColor(0x0000FF)};
constexpr std::array<GdiColor, 3> kStops10 = {GdiColor(0x00FF00), GdiColor(0xFFFFFF), GdiColor(0x0000FF)};
constexpr std::array<GdiColor, 3> kStops11 = {GdiColor(0xFF0000), GdiColor(0xFFFF00), GdiColor(0xFFFFFF)};
constexpr std::array<GdiColor, 3> kStops12 = {GdiColor(0x0000FF), GdiColor(0xFFFFFF), GdiColor(0xFF0000)};
constexpr std::array<GdiColor, 6> kStops13 = {GdiColor(0x0000FF), GdiColor(0x00FFFF), GdiColor(0x00FF00),
                                              GdiColor(0xFFFF00), GdiColor(0xFF0000), GdiColor(0xFF00FF)};
constexpr std::array<GdiColor, 6> kStops14 = {GdiColor(0xFF00FF), GdiColor(0xFF0000), GdiColor(0xFFFF00),
                                              GdiColor(0x00FF00), GdiColor(0x00FFFF), GdiColor(0x0000FF)};

std::span<const GdiColor> StopsOf(int mode) {
  switch (mode) {
    case 9: return kStops9;
    case 10: return kStops10;
    case 11: return kStops11;
    case 12: return kStops12;
    case 13: return kStops13;
    default: return kStops14;
  }
}

std::uint8_t ScaleChannel(std::uint8_t channel, int brightness) {
  return static_cast<std::uint8_t>(channel * brightness * 255 / 25600);
}

std::uint8_t RainbowChannel(double angle) { return static_cast<std::uint8_t>((std::sin(angle) + 1.0) * 127.0); }

// The angle in degrees of (dy, dx) plus 180, truncated, modulo 360.
int AngleDegrees(int dy, int dx) {
  const double degrees = std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 180.0 / std::numbers::pi;
  return static_cast<int>(degrees + 180.0) % 360;
}

using AngleGrid = std::array<std::int16_t, VisualizerImage::kRows * VisualizerImage::kColumns>;

AngleGrid MakeAngles(int centreRow) {
  AngleGrid angles{};
  for (int row = 0; row < VisualizerImage::kRows; ++row) {
    for (int column = 0; column < VisualizerImage::kColumns; ++column) {
      angles[static_cast<std::size_t>(row * VisualizerImage::kColumns + column)] =
          static_cast<std::int16_t>(AngleDegrees(row - centreRow, column - 128));
    }
  }
  return angles;
}

// The angles never change, and an arctangent per cell and frame would cost more than all the rest.
const AngleGrid& Angles(int centreRow) {
  static const AngleGrid around32 = MakeAngles(32);
  static const AngleGrid around64 = MakeAngles(64);
  return centreRow == 32 ? around32 : around64;
}

}  // namespace

GdiColor ColourTable::Scale(GdiColor colour, int brightness) {
  brightness = std::clamp(brightness, 0, 100);
  return GdiColor::FromRgb(ScaleChannel(colour.Red(), brightness), ScaleChannel(colour.Green(), brightness),
                           ScaleChannel(colour.Blue(), brightness));
}

GdiColor ColourTable::SineRainbow(int angle) {
  // The sector offset and the 3.14 are the look the keyboard's owners know; not exact thirds of a turn.
  constexpr double kOffset = 2.0933335;
  const double a = static_cast<double>(angle % 360) / 360.0 * 2.0 * 3.14;
  return GdiColor::FromRgb(RainbowChannel(a), RainbowChannel(a - kOffset), RainbowChannel(a + kOffset));
}

GdiColor ColourTable::Hue(int hue) {
  constexpr int s = 255;
  constexpr int v = 255;
  const int h = ((hue % 360) + 360) % 360;
  const int f = h % 60;
  const auto p = static_cast<std::uint8_t>(v * (255 - s) / 255);
  const auto q = static_cast<std::uint8_t>(v * (15300 - s * f) / 15300);
  const auto t = static_cast<std::uint8_t>(v * (15300 - s * (60 - f)) / 15300);
  const auto full = static_cast<std::uint8_t>(v);
  switch (h / 60) {
    case 0: return GdiColor::FromRgb(full, t, p);
    case 1: return GdiColor::FromRgb(q, full, p);
    case 2: return GdiColor::FromRgb(p, full, t);
    case 3: return GdiColor::FromRgb(p, q, full);
    case 4: return GdiColor::FromRgb(t, p, full);
    default: return GdiColor::FromRgb(full, p, q);
  }
}

int ColourTable::StopIndex(int row, int column, int stopCount) {
  const int n = stopCount;
  if (row >= 1) return n * (63 - row) / 63;  // floor(n - n r / 63) without rounding error
  if (column <= 127) {
    const int index = n * (128 - column) / 128;
    return index < n - 1 ? index : n - 1;
  }
  return (column - 128) * n / 128;
}

void ColourTable::Build(int mode, int brightness, double phase) {
  if (mode >= 0 && mode <= 8) {
    FillSolid(kSolids[static_cast<std::size_t>(mode)], brightness);
  } else if (mode >= 9 && mode <= 14) {
    FillStops(StopsOf(mode), brightness);
  } else if (mode == 15) {
    FillRainbowColumns(phase, brightness);
  } else if (mode == 16) {
    FillHueColumns(phase, brightness);
  } else if (mode == 17 || mode == 18) {
    FillHueAngles(mode == 17 ? 32 : 64, phase, brightness);
  } else if (mode == 19) {
    FillSolid(Hue(static_cast<int>(phase)), brightness);
  } else if (mode == 20) {
    FillSolid(SineRainbow(static_cast<int>(phase)), brightness);
  }
}

void ColourTable::FillSolid(GdiColor colour, int brightness) { grid_.Fill(Scale(colour, brightness)); }

void ColourTable::FillStops(std::span<const GdiColor> stops, int brightness) {
  const int n = static_cast<int>(stops.size());
  for (int row = 0; row < VisualizerImage::kRows; ++row) {
    for (int column = 0; column < VisualizerImage::kColumns; ++column) {
      grid_.Set(row, column, Scale(stops[static_cast<std::size_t>(StopIndex(row, column, n))], brightness));
    }
  }
}

void ColourTable::FillRainbowColumns(double phase, int brightness) {
  for (int column = 0; column < VisualizerImage::kColumns; ++column) {
    const GdiColor colour = Scale(SineRainbow(static_cast<int>(column * 1.4117647 - phase)), brightness);
    for (int row = 0; row < VisualizerImage::kRows; ++row) grid_.Set(row, column, colour);
  }
}

void ColourTable::FillHueColumns(double phase, int brightness) {
  for (int column = 0; column < VisualizerImage::kColumns; ++column) {
    const GdiColor colour = Scale(Hue(static_cast<int>(256 - column + phase)), brightness);
    for (int row = 0; row < VisualizerImage::kRows; ++row) grid_.Set(row, column, colour);
  }
}

void ColourTable::FillHueAngles(int centreRow, double phase, int brightness) {
  const AngleGrid& angles = Angles(centreRow);
  for (int row = 0; row < VisualizerImage::kRows; ++row) {
    for (int column = 0; column < VisualizerImage::kColumns; ++column) {
      const int angle = angles[static_cast<std::size_t>(row * VisualizerImage::kColumns + column)];
      grid_.Set(row, column, Scale(Hue(static_cast<int>(angle + phase)), brightness));
    }
  }
}
