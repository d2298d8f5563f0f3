// A 64 x 256 grid of colours: the visualiser's colour tables and the images
// it paints share this shape, row 0 at the top and row 63 at the bottom.
#pragma once

#include <array>
#include <cstddef>

#include "zephui/Color.h"

class VisualizerImage {
 public:
  static constexpr int kRows = 64;      ///< rows of an image
  static constexpr int kColumns = 256;  ///< columns of an image

  /// The colour at a cell; row and column must be inside the image.
  ZephUI::GdiColor At(int row, int column) const { return cells_[Index(row, column)]; }
  /// Sets the colour at a cell.
  void Set(int row, int column, ZephUI::GdiColor colour) { cells_[Index(row, column)] = colour; }
  /// Sets every cell to one colour.
  void Fill(ZephUI::GdiColor colour) { cells_.fill(colour); }
  /// Equal when every cell is.
  bool operator==(const VisualizerImage&) const = default;

 private:
  static std::size_t Index(int row, int column) { return static_cast<std::size_t>(row * kColumns + column); }

  std::array<ZephUI::GdiColor, kRows * kColumns> cells_{};
};
