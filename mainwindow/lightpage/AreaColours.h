// Where the six colour areas keep their choices in a lighting row. The
// keyboard takes the area colours in the speed and direction bytes of the
// mode frame, so each area owns one nibble of the fields that build those
// bytes: area 1 bits 4-7 of speed, area 2 bits 0-3 and area 3 bits 4-7 of
// direction, area 4 bits 0-3 and area 5 bits 4-7 of the colour index, and
// area 6 shares area 1's nibble (the frame has no room for a sixth).
#pragma once

#include <array>

#include "store/Records.h"

class AreaColours {
 public:
  static constexpr int kAreas = 6;
  static constexpr int kChoices = 7;  ///< buttons per area

  /// Stores `choice` (0-6) for `area` (1-6) in its nibble; the other bits stay.
  static void Store(LightRecord& row, int area, int choice);
  /// The button each area shows for a stored row (0-6), from its nibble.
  static std::array<int, kAreas> Shown(const LightRecord& row);

 private:
  struct Nibble {
    int LightRecord::*field;
    int shift;
  };
  static Nibble NibbleOf(int area);
};
