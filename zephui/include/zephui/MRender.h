// The drawing routines every control uses: loading pictures, copies and
// fills, nine-slice frames, alpha transitions, outlines, text and placement.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/Font.h"
#include "zephui/Image.h"
#include "zephui/Rect.h"
#include "zephui/RenderContext.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

/// Static drawing and resource routines.
class ZEPHUI_API MRender {
 public:
  MRender() = delete;

  /// A picture from a PNG, GIF (every frame), ICO or BMP file; none when missing or unreadable.
  static std::unique_ptr<Image> LoadImageFromFile(const std::filesystem::path& path);
  /// A picture from encoded bytes held in memory (embedded resources); none when unreadable.
  static std::unique_ptr<Image> LoadImageFromMemory(std::span<const std::uint8_t> bytes);
  /// The icon of an ICO (largest entry), PNG or BMP file; none for other files.
  static std::unique_ptr<Image> LoadIconFromFile(const std::filesystem::path& path);
  /// A transparent ARGB32 image whose pixels can be written directly; none for a bad size.
  static std::unique_ptr<Image> CreateARGB32Bitmap(int width, int height);
  /// Writes the active frame as a 24-bit BMP (translucent pixels as if over black); false on failure.
  static bool SaveBitmapToFile(const Image& bitmap, const std::filesystem::path& path);

  /// Copies the source pixels at (srcX, srcY) unscaled into `destRect`.
  static void BitBlt(RenderContext& dest, const Rect& destRect, const Image& source, int srcX, int srcY,
                     BlitMode mode = BlitMode::Copy);
  /// Copies pixels of another context's surface (surface coordinates) unscaled into `destRect`.
  static void BitBlt(RenderContext& dest, const Rect& destRect, RenderContext& source, int srcX, int srcY,
                     BlitMode mode = BlitMode::Copy);
  /// Fills a rectangle with an opaque colour.
  static void FillSolidRect(RenderContext& dest, const Rect& rect, GdiColor colour);
  /// Fills (x, y, width, height) with an opaque colour.
  static void FillSolidRect(RenderContext& dest, int x, int y, int width, int height, GdiColor colour);
  /// Fills a rectangle with a colour blended by its alpha; alpha 0 draws nothing.
  static void DrawColor(RenderContext& dest, const Rect& rect, ArgbColor colour);
  /// Fills a rectangle with `steps` bands running from `from` to `to` (steps <= 0: one band per pixel line).
  static void DrawGradient(RenderContext& dest, const Rect& rect, GdiColor from, GdiColor to,
                           GradientDirection direction, int steps);
  /// Outlines a rectangle with a pen that stays inside it.
  static void DrawRectangle(RenderContext& dest, const Rect& rect, ArgbColor pen, int penWidth = 1);
  /// Rounded outline of (x, y, width, height) with corner radii width/radius/2 and height/radius/2, pen inside the box.
  static void DrawRoundRectange(RenderContext& dest, int x, int y, int width, int height, int radius, ArgbColor pen,
                                int penWidth = 1, ShapeFill fill = ShapeFill::None, ArgbColor fillColour = ArgbColor());

  /// Draws the image unscaled with its top-left corner at (x, y).
  static void DrawImage(RenderContext& dest, const Image& image, int x, int y);
  /// Draws the `source` part of the image stretched over `destRect`, with an extra constant alpha.
  static void DrawImage(RenderContext& dest, const Image& image, const Rect& destRect, const Rect& source,
                        std::uint8_t alpha = 255);
  /// Nine-slice copy of the source rectangle with corner size `corner`: corners unscaled, edges and centre stretched.
  static void DrawImageFrame(RenderContext& dest, const Image& image, const Rect& destRect, int srcX, int srcY,
                             int srcWidth, int srcHeight, int corner);
  /// Nine-slice copy with separate left, top, right and bottom border sizes.
  static void DrawImageFrameMID(RenderContext& dest, const Image& image, const Rect& destRect, int srcX, int srcY,
                                int srcWidth, int srcHeight, int left, int top, int right, int bottom);
  /// Blends the source onto the destination row by row, transparency running from startPercent to endPercent.
  static void DrawVerticalTransition(RenderContext& dest, const Image& source, const Rect& destRect,
                                     const Rect& sourceRect, int startPercent, int endPercent);
  /// Blends the source onto the destination column by column, transparency running from startPercent to endPercent.
  static void DrawHorizontalTransition(RenderContext& dest, const Image& source, const Rect& destRect,
                                       const Rect& sourceRect, int startPercent, int endPercent);
  /// A corner fade: the colour, opaque at the bottom-right corner of `rect`, vanishes `size` pixels away from it.
  static void DrawRightBottomTransition(RenderContext& dest, const Rect& rect, int size, GdiColor colour);

  /// The colour plus 1 when its colour bits are all zero, so black never matches a transparent key.
  static ArgbColor CheckAlphaColor(ArgbColor colour);
  /// The GDI form of CheckAlphaColor.
  static GdiColor CheckAlphaColor(GdiColor colour);

  /// Draws text inside `rect` in the colour and font, placed by `format`; the background stays.
  static void DrawTextW(RenderContext& dest, const Rect& rect, std::u16string_view text, ArgbColor colour,
                        const Font& font, TextFormat format);
  /// The size of a text laid out line by line (breaks only at line feeds).
  static Size GetTextBounds(const Font& font, std::u16string_view text);
  /// The size of a text laid out with `format`; a positive `width` bounds wrapping and ellipsis.
  static Size GetTextBounds(const Font& font, TextFormat format, int width, std::u16string_view text);

  /// Offset of an inner box in an outer one: x (o-i)/2 for Center, o-i for Right; y likewise for Center, Bottom.
  static Point GetOriginPoint(int outerWidth, int outerHeight, int innerWidth, int innerHeight, HAlign hAlign,
                              VAlign vAlign);
  /// The absolute position of an inner box in `outer`, 2 pixels lower than the offset form gives.
  static Point GetOriginPoint(const Rect& outer, int innerWidth, int innerHeight, HAlign hAlign, VAlign vAlign);
};

}  // namespace ZephUI
