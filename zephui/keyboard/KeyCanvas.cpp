#include "keyboard/KeyCanvas.h"

#include <cairo.h>

#include <algorithm>

#include "core/RectOps.h"
#include "core/RenderCairo.h"
#include "zephui/MRender.h"

namespace ZephUI {
namespace {

constexpr ArgbColor kCapFill{0xFF007ACC};
constexpr ArgbColor kNameShadow{0xFF505050};
constexpr ArgbColor kNameInk{0xFFFFFFFF};
constexpr ArgbColor kBandInk{0xFF4CFF29};
constexpr int kOutlinePen = 2;
constexpr int kCornerDivisor = 12;  // corner radii of a twenty-fourth of the key's width and height
constexpr int kIconLift = 20;       // an icon under a name starts this far above the key's bottom
constexpr double kBandDash = 2.0;
constexpr TextFormat kNameFormat = TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine;
constexpr TextFormat kWrappedFormat = TextFormat::Center | TextFormat::VCenter | TextFormat::WordBreak;
constexpr int kNamePadding = 4;
constexpr int kSmallestName = 6;

// A name too wide for its cap breaks at its spaces, and shrinks until it fits.
TextFormat FitName(const std::u16string& name, const Rect& area, Font& font) {
  const int width = area.Width() - kNamePadding;
  if (MRender::GetTextBounds(font, name).width <= width) return kNameFormat;
  for (int size = font.PixelSize(); size >= kSmallestName; --size) {
    font = Font(font.Face(), size, font.Style());
    const Size wrapped = MRender::GetTextBounds(font, kWrappedFormat, width, name);
    if (wrapped.width <= width && wrapped.height <= area.Height()) break;
  }
  return kWrappedFormat;
}

void DrawCap(RenderContext& target, const KeyView& key, const Font& font) {
  const Rect& r = key.rect;
  MRender::DrawColor(target, Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kCapFill);
  Rect text = r;
  if (key.icon != nullptr) {
    const int x = r.left + (r.Width() - key.iconSize.width) / 2;
    const int y = key.name.empty() ? r.top + (r.Height() - key.iconSize.height) / 2 : r.bottom - kIconLift;
    MRender::DrawImage(target, *key.icon, x, y);
    text.bottom -= kIconLift;
  }
  if (key.name.empty()) return;
  Font fitted = font;
  const TextFormat format = FitName(key.name, text, fitted);
  MRender::DrawTextW(target, RectOps::Offset(text, 1, 1), key.name, kNameShadow, fitted, format);
  MRender::DrawTextW(target, text, key.name, kNameInk, fitted, format);
}

}  // namespace

void KeyCanvas::Rebuild(Image& composed, const Image& base, const std::vector<KeyView>& keys, const Font& font) {
  RenderContext target(composed);
  MRender::BitBlt(target, Rect{0, 0, composed.Width(), composed.Height()}, base, 0, 0);
  for (const KeyView& key : keys) DrawKey(target, key, font);
  target.Flush();
  Remember(keys);
}

Rect KeyCanvas::Update(Image& composed, const Image& base, const std::vector<KeyView>& keys, const Font& font) {
  const bool sameKeys = std::equal(keys.begin(), keys.end(), rects_.begin(), rects_.end(),
                                   [](const KeyView& key, const Rect& shown) { return key.rect == shown; });
  if (!sameKeys) {
    Rebuild(composed, base, keys, font);
    return Rect{0, 0, composed.Width(), composed.Height()};
  }
  Rect changed;
  RenderContext target(composed);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].look == looks_[i]) continue;
    Repair(target, base, keys[i].rect, keys, font);
    changed = RectOps::Union(changed, keys[i].rect);
  }
  target.Flush();
  Remember(keys);
  return changed;
}

void KeyCanvas::DrawKey(RenderContext& target, const KeyView& key, const Font& font) {
  const Rect& r = key.rect;
  if (RectOps::Empty(r)) return;
  target.Save();
  target.ClipRect(r);
  switch (key.look.mark) {
    case KeyMark::Cap:
      DrawCap(target, key, font);
      break;
    case KeyMark::Outline:
      MRender::DrawRoundRectange(target, r.left, r.top, r.Width(), r.Height(), kCornerDivisor, key.look.colour,
                                 kOutlinePen);
      break;
    case KeyMark::None:
      break;
  }
  target.Restore();
}

void KeyCanvas::DrawBand(RenderContext& target, const Rect& rect) {
  if (rect.Width() < kOutlinePen || rect.Height() < kOutlinePen) return;
  cairo_t* cr = RenderCairo::Context(target);
  cairo_save(cr);
  cairo_set_source_rgba(cr, kBandInk.Red() / 255.0, kBandInk.Green() / 255.0, kBandInk.Blue() / 255.0, 1.0);
  cairo_set_line_width(cr, kOutlinePen);
  const double dash[] = {kBandDash, kBandDash};
  cairo_set_dash(cr, dash, 2, 0);
  // The pen's middle runs one pixel in, so the whole line stays inside the band.
  cairo_rectangle(cr, rect.left + 1, rect.top + 1, rect.Width() - kOutlinePen, rect.Height() - kOutlinePen);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void KeyCanvas::Repair(RenderContext& target, const Image& base, const Rect& area, const std::vector<KeyView>& keys,
                       const Font& font) {
  target.Save();
  target.ClipRect(area);
  MRender::BitBlt(target, area, base, area.left, area.top);
  for (const KeyView& key : keys) {
    if (RectOps::Meet(key.rect, area)) DrawKey(target, key, font);
  }
  target.Restore();
}

void KeyCanvas::Remember(const std::vector<KeyView>& keys) {
  rects_.resize(keys.size());
  looks_.resize(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    rects_[i] = keys[i].rect;
    looks_[i] = keys[i].look;
  }
}

}  // namespace ZephUI
