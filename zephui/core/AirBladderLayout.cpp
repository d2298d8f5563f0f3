#include "core/AirBladderLayout.h"

namespace ZephUI {
namespace {

// Where the anchor lies on the edge of the window for the types that have an arrow.
constexpr int kType2AnchorY = 27;
constexpr int kType3AnchorX = 25;
constexpr int kType5AnchorY = 10;

}  // namespace

Rect AirBladderLayout::WindowRect(int type, int x, int y, int w, int h) {
  switch (type) {
    case 1: {
      const int top = y - h / 2 - 10;
      return Rect{x, top, x + w + 40, top + h + 20};
    }
    case 2:
      return Rect{x - w - 40, y - kType2AnchorY, x, y + h - 7};
    case 3:
      return Rect{x - kType3AnchorX, y, x + w + 15, y + h + 30};
    case 4: {
      const int left = x - (w + 30) / 2;
      return Rect{left, y - h - 20, left + w + 30, y};
    }
    case 5:
      return Rect{x, y - kType5AnchorY, x + w + 40, y + h - 45};
    default:
      return Rect{};
  }
}

BalloonArrow AirBladderLayout::ArrowFor(int type) {
  switch (type) {
    case 1:
    case 5:
      return BalloonArrow::Left;
    case 2:
      return BalloonArrow::Right;
    case 3:
      return BalloonArrow::Top;
    default:
      return BalloonArrow::None;  // type 4 sits above its anchor, and no arrow points down
  }
}

BalloonParts AirBladderLayout::Parts(int type, Size client, Size arrow) {
  BalloonParts parts;
  parts.inner = Rect{0, 0, client.width, client.height};
  parts.arrow = ArrowFor(type);
  switch (parts.arrow) {
    case BalloonArrow::Left:
      parts.arrowAt = Point{0, (type == 1 ? client.height / 2 : kType5AnchorY) - arrow.height / 2};
      parts.inner.left = arrow.width;
      break;
    case BalloonArrow::Right:
      parts.arrowAt = Point{client.width - arrow.width, kType2AnchorY - arrow.height / 2};
      parts.inner.right = client.width - arrow.width;
      break;
    case BalloonArrow::Top:
      parts.arrowAt = Point{kType3AnchorX - arrow.width / 2, 0};
      parts.inner.top = arrow.height;
      break;
    case BalloonArrow::None:
      break;
  }
  return parts;
}

Rect AirBladderLayout::TextRect(const Rect& inner, int lines, int lineHeight) {
  const int block = lines * lineHeight;
  const int top = inner.top + (inner.Height() - block) / 2 + lines - 1;
  return Rect{inner.left + 8, top, inner.right - 8, top + block + 2};
}

}  // namespace ZephUI
