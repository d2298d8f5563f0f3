#include "tests/demo/KeyLightsView.h"

#include <algorithm>

#include "zephui/ControlTypes.h"
#include "zephui/Font.h"
#include "zephui/MRender.h"

using namespace ZephUI;

namespace {

const GdiColor kUnlitKey = GdiColor::FromRgb(0x34, 0x3A, 0x44);
const ArgbColor kKeyEdge(0xFF56606E);
const ArgbColor kLightLabel(0xFFE4E8EE);
const ArgbColor kDarkLabel(0xFF101418);
const GdiColor kLevelTrack = GdiColor::FromRgb(0x2A, 0x30, 0x38);
const GdiColor kLevelFill = GdiColor::FromRgb(0xFF, 0xC8, 0x20);
constexpr int kLabelPixels = 9;
constexpr int kGap = 8;  // between the keys and the level bar

// Dark text on bright keys, light text on dark ones.
bool IsBright(const LightColour& light) {
  return light.lit && (light.red * 299 + light.green * 587 + light.blue * 114) / 1000 > 140;
}

}  // namespace

KeyLightsView::KeyLightsView(MObject* parent, std::uint32_t id, const Rect& rect, KeyPicture picture)
    : MControl(parent, id, rect, true, true, false), picture_(std::move(picture)) {}

void KeyLightsView::Show(std::vector<LightColour> lights, std::optional<int> musicLevel) {
  // The music level changes many times a second while the keys stay: repaint only its bar then.
  const bool keysChanged = lights != lights_;
  const bool levelChanged = musicLevel != level_;
  lights_ = std::move(lights);
  level_ = musicLevel;
  if (keysChanged) {
    UpdateControl(CacheReset::Reset);
  } else if (levelChanged) {
    UpdateControl(LevelBar(), CacheReset::Reset);
  }
}

Rect KeyLightsView::LevelBar() const {
  const Rect area = GetRect();
  return Rect{area.left, area.bottom - kLevelBarHeight, area.right, area.bottom};
}

Rect KeyLightsView::KeyRect(const std::u16string& name) const {
  const auto key = std::ranges::find(picture_.keys, name, &KeyLamp::name);
  return key == picture_.keys.end() ? Rect{} : Scaled(key->rect);
}

Rect KeyLightsView::Scaled(const Rect& r) const {
  const Rect area = GetRect();
  const Size size = picture_.size;
  if (size.width <= 0 || size.height <= 0) return {};
  // One scale for both axes keeps the keys square; the level bar gets the room below.
  const int room = area.Height() - kLevelBarHeight - kGap;
  const double scale = std::min(static_cast<double>(area.Width()) / size.width,
                                static_cast<double>(room) / size.height);
  const int x = area.left + static_cast<int>((area.Width() - size.width * scale) / 2);
  const auto at = [scale](int v) { return static_cast<int>(v * scale + 0.5); };
  return Rect{x + at(r.left), area.top + at(r.top), x + at(r.right), area.top + at(r.bottom)};
}

void KeyLightsView::DrawControl(RenderContext& hdc, const Rect& paintRect) {
  const auto meets = [&paintRect](const Rect& r) {
    return r.left < paintRect.right && paintRect.left < r.right && r.top < paintRect.bottom && paintRect.top < r.bottom;
  };
  // A level bar repaint leaves the keys' text layouts alone.
  for (const KeyLamp& key : picture_.keys) {
    if (meets(Scaled(key.rect))) DrawKey(hdc, key);
  }
  if (level_ && meets(LevelBar())) DrawLevel(hdc);
}

void KeyLightsView::DrawKey(RenderContext& hdc, const KeyLamp& key) const {
  const Rect r = Scaled(key.rect);
  const bool hasLight = key.lightIndex >= 0 && static_cast<std::size_t>(key.lightIndex) < lights_.size();
  const LightColour light = hasLight ? lights_[static_cast<std::size_t>(key.lightIndex)] : LightColour{};
  const GdiColor fill = light.lit ? GdiColor::FromRgb(light.red, light.green, light.blue) : kUnlitKey;
  MRender::DrawRoundRectange(hdc, r.left, r.top, r.Width(), r.Height(), 5, kKeyEdge, 1, ShapeFill::Filled,
                             ToArgb(fill));
  const Font font(Font::Default().Face(), kLabelPixels);
  MRender::DrawTextW(hdc, r, key.name, IsBright(light) ? kDarkLabel : kLightLabel, font,
                     TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine | TextFormat::EndEllipsis);
}

void KeyLightsView::DrawLevel(RenderContext& hdc) const {
  const Rect track = LevelBar();
  MRender::FillSolidRect(hdc, track, kLevelTrack);
  const int filled = track.Width() * std::clamp(*level_, 0, 255) / 255;
  if (filled <= 0) return;
  MRender::FillSolidRect(hdc, Rect{track.left, track.top, track.left + filled, track.bottom}, kLevelFill);
}
