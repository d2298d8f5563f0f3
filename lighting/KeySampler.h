// Where each key of the keyboard's key grid reads its colour in the
// visualiser's 64 x 256 image.
#pragma once

class KeySampler {
 public:
  /// A grid of rows x columns keys; a grid with no rows or columns samples nothing.
  KeySampler(int rows = 0, int columns = 0) : rows_(rows), columns_(columns) {}

  /// Image row of grid row i: floor(i x q + 2 + q x 0.5) with q = 62 / rows (integer); -1 outside the grid.
  int ImageRow(int gridRow) const;
  /// Image column of grid column j: j x (255 / columns), integer division; -1 outside the grid.
  int ImageColumn(int gridColumn) const;

 private:
  int rows_;
  int columns_;
};
