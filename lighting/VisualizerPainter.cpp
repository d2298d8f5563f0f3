#include "lighting/VisualizerPainter.h"

bool VisualizerPainter::LevelLineLit(double level, int column) {
  const double lit = level - 0.05;
  const int distance = column <= 127 ? 127 - column : column - 128;
  return lit > distance / 128.0;
}

void VisualizerPainter::Paint(VisualizerImage& target, std::span<const float, VisualizerImage::kColumns> display,
                              const VisualizerImage& bars, const VisualizerImage& background) {
  // The level line follows band 5, low enough to carry the beat.
  const double level = display[5];
  for (int column = 0; column < VisualizerImage::kColumns; ++column) {
    const auto& row0 = LevelLineLit(level, column) ? bars : background;
    target.Set(0, column, row0.At(0, column));
    const float value = display[static_cast<std::size_t>(column)];
    for (int row = 1; row < VisualizerImage::kRows; ++row) {
      const auto& source = value > static_cast<float>(64 - row) / 64.0f ? bars : background;
      target.Set(row, column, source.At(row, column));
    }
  }
}
