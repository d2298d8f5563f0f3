#include "zephui/MPalette.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "controls/SlotCache.h"
#include "core/RectOps.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr int kHues = 360;
constexpr int kSteps = 200;      // saturation and lightness
constexpr int kFieldHeight = 150;
constexpr int kFieldGap = 38;    // right of the field
constexpr int kBarWidth = 16;
constexpr int kBarMargin = 16;   // right of the bar
constexpr ArgbColor kMarker(0xFFFFFFFF);
constexpr ArgbColor kMarkerShade(0xFF202020);

double HueChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 1.0 / 2) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

std::uint8_t Byte(double channel) { return static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0, 1.0) * 255)); }

struct Hsl {
  int hue, saturation, lightness;
};

Hsl ColorToHsl(GdiColor colour) {
  const double r = colour.Red() / 255.0, g = colour.Green() / 255.0, b = colour.Blue() / 255.0;
  const double high = std::max({r, g, b}), low = std::min({r, g, b});
  const double l = (high + low) / 2;
  if (high == low) return Hsl{0, 0, static_cast<int>(std::lround(l * kSteps))};
  const double d = high - low;
  const double s = l > 0.5 ? d / (2 - high - low) : d / (high + low);
  double h = high == r ? (g - b) / d + (g < b ? 6 : 0) : high == g ? (b - r) / d + 2 : (r - g) / d + 4;
  h /= 6;
  return Hsl{static_cast<int>(std::lround(h * kHues)), static_cast<int>(std::lround(s * kSteps)),
             static_cast<int>(std::lround(l * kSteps))};
}

// Position along `length` pixels of a value 0 … steps, and back.
int ToPixel(int value, int steps, int length) { return value * (length - 1) / steps; }
int FromPixel(int pixel, int steps, int length) {
  return length > 1 ? std::clamp(pixel * steps / (length - 1), 0, steps) : 0;
}

}  // namespace

MPalette::MPalette(MObject* parent, std::uint32_t id, const Rect& rect, bool visible, bool enabled)
    : MControlFont(parent, id, rect, u"", visible, enabled, true),
      colour_(HslToColor(hue_, saturation_, lightness_)) {}

MPalette::~MPalette() = default;

GdiColor MPalette::HslToColor(int hue, int saturation, int lightness) {
  const double h = hue / static_cast<double>(kHues);
  const double s = saturation / static_cast<double>(kSteps);
  const double l = lightness / static_cast<double>(kSteps);
  GdiColor colour;
  if (s <= 0) {
    colour = GdiColor::FromRgb(Byte(l), Byte(l), Byte(l));
  } else {
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    colour = GdiColor::FromRgb(Byte(HueChannel(p, q, h + 1.0 / 3)), Byte(HueChannel(p, q, h)),
                               Byte(HueChannel(p, q, h - 1.0 / 3)));
  }
  return MRender::CheckAlphaColor(colour);  // black would read as the transparent key
}

void MPalette::DrawControl(RenderContext& hdc, const Rect& /*paintRect*/) {
  SlotCache::Draw(*this, hdc, 1, 0, [this](RenderContext& target, const Rect& slot, int) { Render(target, slot); });
  DrawMarkers(hdc);
}

int MPalette::OnControlLButtonDown(std::uint32_t /*flags*/, Point point) {
  if (!IsEnabled()) return 0;
  if (RectOps::Contains(GetFieldRect(), point)) {
    pressed_ = Part::Field;
  } else if (RectOps::Contains(GetBarRect(), point)) {
    pressed_ = Part::Bar;
  } else {
    return 0;
  }
  ChooseAt(pressed_, point);
  return 1;
}

int MPalette::OnControlMouseMove(std::uint32_t /*flags*/, Point point) {
  if (pressed_ == Part::None) return 0;
  ChooseAt(pressed_, point);
  return 1;
}

int MPalette::OnControlLButtonUp(std::uint32_t /*flags*/, Point /*point*/) {
  const bool was = pressed_ != Part::None;
  pressed_ = Part::None;
  return was ? 1 : 0;
}

void MPalette::SetSelectColor(GdiColor colour) {
  const Hsl hsl = ColorToHsl(colour);
  hue_ = hsl.hue;
  saturation_ = hsl.saturation;
  lightness_ = hsl.lightness;
  colour_ = MRender::CheckAlphaColor(colour);
  UpdateControl(CacheReset::Reset);
}

GdiColor MPalette::GetSelectColor() const { return colour_; }

int MPalette::GetHue() const { return hue_; }

int MPalette::GetSaturation() const { return saturation_; }

int MPalette::GetLightness() const { return lightness_; }

Rect MPalette::GetFieldRect() const {
  return Rect{rect_.left, rect_.top, rect_.right - kFieldGap, std::min(rect_.bottom, rect_.top + kFieldHeight)};
}

Rect MPalette::GetBarRect() const {
  const int right = rect_.right - kBarMargin;
  return Rect{right - kBarWidth, rect_.top, right, std::min(rect_.bottom, rect_.top + kFieldHeight)};
}

// The field runs from light at the top to dark at the bottom, the bar from full saturation down to grey.
void MPalette::ChooseAt(Part part, Point point) {
  const Rect field = GetFieldRect();
  const Rect bar = GetBarRect();
  const bool onField = part == Part::Field;
  const Rect area = onField ? field : bar;
  const int down = kSteps - FromPixel(point.y - area.top, kSteps, area.Height());
  const int before[] = {hue_, saturation_, lightness_};
  if (onField) {
    hue_ = FromPixel(point.x - field.left, kHues, field.Width());
    lightness_ = down;
  } else {
    saturation_ = down;
  }
  const int after[] = {hue_, saturation_, lightness_};
  if (!std::equal(std::begin(before), std::end(before), std::begin(after))) UpdateControl(CacheReset::Reset);
  const GdiColor colour = HslToColor(hue_, saturation_, lightness_);
  if (colour == colour_) return;
  colour_ = colour;
  SendMessageW(NOTIFY_COLOR, static_cast<WPARAM>(colour_.Value()), 0);
}

void MPalette::Render(RenderContext& target, const Rect& slot) {
  const int dx = slot.left - rect_.left;
  const int dy = slot.top - rect_.top;
  const Rect field = RectOps::Offset(GetFieldRect(), dx, dy);
  const Image& picture = FieldPicture();
  MRender::DrawImage(target, picture, field, Rect{0, 0, picture.Width(), picture.Height()});
  const Rect bar = RectOps::Offset(GetBarRect(), dx, dy);
  for (int y = bar.top; y < bar.bottom; ++y) {
    const int saturation = kSteps - FromPixel(y - bar.top, kSteps, bar.Height());
    MRender::FillSolidRect(target, Rect{bar.left, y, bar.right, y + 1}, HslToColor(hue_, saturation, lightness_));
  }
}

void MPalette::DrawMarkers(RenderContext& hdc) const {
  hdc.Save();
  hdc.ClipRect(rect_);
  const Rect field = GetFieldRect();
  const int x = field.left + ToPixel(hue_, kHues, field.Width());
  const int y = field.top + ToPixel(kSteps - lightness_, kSteps, field.Height());
  MRender::DrawRoundRectange(hdc, x - 4, y - 4, 9, 9, 1, kMarkerShade, 3);
  MRender::DrawRoundRectange(hdc, x - 3, y - 3, 7, 7, 1, kMarker);
  const Rect bar = GetBarRect();
  const int level = bar.top + ToPixel(kSteps - saturation_, kSteps, bar.Height());
  MRender::DrawColor(hdc, Rect{bar.left - 3, level - 2, bar.right + 3, level + 2}, kMarkerShade);
  MRender::DrawColor(hdc, Rect{bar.left - 2, level - 1, bar.right + 2, level + 1}, kMarker);
  hdc.Restore();
}

const Image& MPalette::FieldPicture() {
  if (field_) return *field_;
  field_ = MRender::CreateARGB32Bitmap(kHues, kSteps);
  std::uint32_t* pixels = field_->Pixels();
  const int stride = field_->Stride() / 4;
  for (int y = 0; y < kSteps; ++y) {
    for (int x = 0; x < kHues; ++x) {
      pixels[y * stride + x] = ToArgb(HslToColor(x, kSteps, kSteps - y)).Value();  // opaque: no premultiplying
    }
  }
  field_->MarkDirty();
  return *field_;
}

}  // namespace ZephUI
