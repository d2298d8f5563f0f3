#include "mainwindow/lightpage/AreaColours.h"

#include <algorithm>

AreaColours::Nibble AreaColours::NibbleOf(int area) {
  switch (area) {
    case 2: return {&LightRecord::direction, 0};
    case 3: return {&LightRecord::direction, 4};
    case 4: return {&LightRecord::colorIndex, 0};
    case 5: return {&LightRecord::colorIndex, 4};
    default: return {&LightRecord::speed, 4};  // areas 1 and 6
  }
}

void AreaColours::Store(LightRecord& row, int area, int choice) {
  const Nibble nibble = NibbleOf(area);
  int& field = row.*nibble.field;
  field = (field & ~(0xF << nibble.shift)) | ((choice & 0xF) << nibble.shift);
}

std::array<int, AreaColours::kAreas> AreaColours::Shown(const LightRecord& row) {
  std::array<int, kAreas> shown{};
  for (int area = 1; area <= kAreas; ++area) {
    const Nibble nibble = NibbleOf(area);
    shown[static_cast<std::size_t>(area - 1)] = std::min(((row.*nibble.field) >> nibble.shift) & 0xF, kChoices - 1);
  }
  return shown;
}
