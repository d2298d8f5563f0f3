// Paints one visualiser image from the display levels: a bar per column
// growing up from the bottom row, and a level line in row 0 centred on the
// middle column.
#pragma once

#include <span>

#include "lighting/VisualizerImage.h"

class VisualizerPainter {
 public:
  /// Rows 1-63: bar colour where display[c] > (64 - r) / 64, else background. Row 0: see LevelLineLit.
  static void Paint(VisualizerImage& target, std::span<const float, VisualizerImage::kColumns> display,
                    const VisualizerImage& bars, const VisualizerImage& background);
  /// Row 0, L = level - 0.05: lit when L > (127 - c) / 128 for c <= 127, or L > (c - 128) / 128 for c >= 128.
  static bool LevelLineLit(double level, int column);
};
