#include "backend/x11/X11Shape.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "backend/RoundRegion.h"

#include <X11/extensions/shape.h>

namespace ZephUI::Backend {

void X11Shape::SetRound(X11Connection& c, Window window, int width, int height, int diameter) {
  if (!c.extensions.shape) return;
  if (diameter <= 0) {
    XShapeCombineMask(c.display, window, ShapeBounding, 0, 0, None, ShapeSet);
    return;
  }
  std::vector<XRectangle> rectangles;
  for (const Rect& band : RoundRegion(width, height, diameter).Bands()) {
    rectangles.push_back(XRectangle{static_cast<short>(band.left), static_cast<short>(band.top),
                                    static_cast<unsigned short>(band.Width()), static_cast<unsigned short>(band.Height())});
  }
  XShapeCombineRectangles(c.display, window, ShapeBounding, 0, 0, rectangles.data(), static_cast<int>(rectangles.size()),
                          ShapeSet, YXBanded);
}

namespace {

constexpr std::uint32_t kOpaqueEnough = 0x80;  // pixels at least half covered are shown

using Runs = std::vector<std::pair<int, int>>;  // [start, end) of opaque pixels in one row

Runs RowRuns(const std::uint32_t* row, int width) {
  Runs runs;
  int x = 0;
  while (x < width) {
    while (x < width && (row[x] >> 24) < kOpaqueEnough) ++x;
    const int start = x;
    while (x < width && (row[x] >> 24) >= kOpaqueEnough) ++x;
    if (x > start) runs.emplace_back(start, x);
  }
  return runs;
}

void AddBand(std::vector<XRectangle>& bands, const Runs& runs, int top, int bottom) {
  for (const auto& [start, end] : runs) {
    bands.push_back(XRectangle{static_cast<short>(start), static_cast<short>(top), static_cast<unsigned short>(end - start),
                               static_cast<unsigned short>(bottom - top)});
  }
}

}  // namespace

std::vector<XRectangle> X11Shape::OpaqueBands(const PixelView& image) {
  std::vector<XRectangle> bands;
  Runs band;
  int bandTop = 0;
  for (int y = 0; y < image.height; ++y) {
    Runs runs = RowRuns(image.Row(y), image.width);
    if (y > 0 && runs == band) continue;  // rows alike join one band
    AddBand(bands, band, bandTop, y);
    band = std::move(runs);
    bandTop = y;
  }
  AddBand(bands, band, bandTop, image.height);
  return bands;
}

bool X11Shape::AllOpaque(const PixelView& image, const Rect& area) {
  for (int y = std::max(area.top, 0); y < std::min(area.bottom, image.height); ++y) {
    const std::uint32_t* row = image.Row(y);
    for (int x = std::max(area.left, 0); x < std::min(area.right, image.width); ++x) {
      if ((row[x] >> 24) < kOpaqueEnough) return false;
    }
  }
  return true;
}

void X11Shape::SetBands(X11Connection& c, Window window, int width, int height, const std::vector<XRectangle>& bands) {
  if (!c.extensions.shape) return;
  const bool whole = bands.size() == 1 && bands[0].x == 0 && bands[0].y == 0 && bands[0].width == width &&
                     bands[0].height == height;
  if (whole) {
    XShapeCombineMask(c.display, window, ShapeBounding, 0, 0, None, ShapeSet);
    return;
  }
  XShapeCombineRectangles(c.display, window, ShapeBounding, 0, 0, const_cast<XRectangle*>(bands.data()),
                          static_cast<int>(bands.size()), ShapeSet, YXBanded);
}

void X11Shape::SetClickThrough(X11Connection& c, Window window, bool through) {
  if (!c.extensions.shape) return;
  if (through) {
    XShapeCombineRectangles(c.display, window, ShapeInput, 0, 0, nullptr, 0, ShapeSet, YXBanded);
  } else {
    XShapeCombineMask(c.display, window, ShapeInput, 0, 0, None, ShapeSet);  // input follows the bounding shape again
  }
}

}  // namespace ZephUI::Backend
