// The 64 x 256 colour tables the visualiser paints from: one for the lit
// cells of the bars, one for the background. A table is rebuilt every frame
// from a colour mode, a brightness and the moving hue phase.
#pragma once

#include <span>

#include "lighting/VisualizerImage.h"
#include "zephui/Color.h"

class ColourTable {
 public:
  static constexpr int kModeCount = 21;  ///< modes 0-20; any other leaves the table as it was

  /// Rebuilds the table for a colour mode at a brightness (0-100) and hue phase in degrees.
  void Build(int mode, int brightness, double phase);
  /// The table's cells.
  const VisualizerImage& Grid() const { return grid_; }

  /// Scales each channel by (brightness x 2.55) / 256, exactly: c x b x 255 / 25600, truncated; b is held to 0-100.
  static ZephUI::GdiColor Scale(ZephUI::GdiColor colour, int brightness);
  /// The sine rainbow at an angle in degrees: A = (a rem 360) / 360 x 2 x 3.14, channels (sin(A + k) + 1) x 127 truncated.
  static ZephUI::GdiColor SineRainbow(int angle);
  /// Full saturation and value of a hue (mod 360): sector h / 60, f = h mod 60, integer HSV with 8-bit s and v.
  static ZephUI::GdiColor Hue(int hue);
  /// The stop a cell takes in a table of n stops (row 0 is the centred level line's own rule).
  static int StopIndex(int row, int column, int stopCount);

 private:
  void FillSolid(ZephUI::GdiColor colour, int brightness);
  void FillStops(std::span<const ZephUI::GdiColor> stops, int brightness);
  void FillRainbowColumns(double phase, int brightness);
  void FillHueColumns(double phase, int brightness);
  void FillHueAngles(int centreRow, double phase, int brightness);

  VisualizerImage grid_;
};
