// A control with a title, a font, a text colour and alignment, and a skin
// image that is a horizontal strip of equal frames (one per visual state).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "zephui/Color.h"
#include "zephui/ControlTypes.h"
#include "zephui/Export.h"
#include "zephui/Font.h"
#include "zephui/MControl.h"
#include "zephui/RenderTypes.h"

namespace ZephUI {

/// Base of nearly every concrete control.
class ZEPHUI_API MControlFont : public MControl {
 public:
  /// A control with a title; face and size come from the global font (Manager).
  MControlFont(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible, bool enabled,
               bool mouseResponse);
  /// Drops the font.
  ~MControlFont() override;

  // ---- virtual operations, continuing MControl's slots ----
  /// Sets the face name.
  virtual void SetTextFont(std::u16string faceName);
  /// Sets the text colour.
  virtual void SetTextColor(ArgbColor colour);
  /// Sets the skin image from a registered resource; 0 without manager or on failure.
  virtual int SetImage(int resourceId, std::u16string_view resourceType, int frameCount);
  /// Sets the skin image from the skin folder; 0 without manager or on failure.
  virtual int SetImage(std::u16string_view path, int frameCount);
  /// Stores the title.
  virtual void SetControlTitle(std::u16string text);
  /// The title.
  virtual std::u16string GetControlTitle() const;

  // ---- text ----
  /// Drops the font, stores through SetControlTitle and repaints with cache reset when visible.
  void SetTitle(std::u16string text);
  /// The title.
  std::u16string GetTitle() const;
  /// Horizontal alignment: 0 left, 1 centre, 2 right.
  void SetAlignment(int horizontal);
  /// Vertical alignment: 0 top, 4 centre, 8 bottom.
  void SetVAlignment(int vertical);
  /// Both alignments.
  void SetAlignment(int horizontal, int vertical);
  /// Reads both alignments.
  void GetAlignment(int& horizontal, int& vertical) const;
  /// Face, size in pixels and style bits (1 bold, 2 italic, 4 underline).
  void SetFont(std::u16string faceName, int size, std::uint32_t style);
  /// The face name.
  std::u16string GetTextFont() const;
  /// Sets the size in pixels.
  void SetFontWidth(int size);
  /// The size in pixels.
  int GetFontWidth() const;
  /// Sets the style bits.
  void SetFontStyle(std::uint32_t style);
  /// The style bits.
  std::uint32_t GetFontStyle() const;
  /// The text colour.
  ArgbColor GetTextColor() const;
  /// Sets the text rendering hint (kept; cairo chooses its own hinting).
  void SetTextRenderingHint(int hint);
  /// The family of `faceName` from the manager's private fonts; empty when not loaded.
  std::u16string GetFontFamily(std::u16string_view faceName) const;
  /// The font text is drawn with: the manager's font family, the size and the style.
  const Font& GetGDIFont();
  /// Drops the cached font.
  void ClearGDIFont();
  /// Sets the frame count of the skin image.
  void SetImageCount(int count);
  /// Frame width and height of the skin image; 0 x 0 without one.
  Size GetImageSize() const;
  /// The skin file name of the image; empty without one.
  std::u16string GetImagePath() const;
  /// The skin image record (owned by the manager's cache); none without one.
  const ImgResInfo* GetImageInfo() const;

 protected:
  /// The drawing format for the alignment (single line unless `multiLine`).
  TextFormat GetTextFormat(bool multiLine) const;

  std::u16string title_;                        ///< shown text
  std::u16string faceName_;                     ///< face name
  int fontSize_;                                ///< pixels
  std::uint32_t fontStyle_ = 0;                 ///< FontStyle bits
  ArgbColor textColour_{0xFFFFFFFF};            ///< text colour
  int hAlign_ = 0;                              ///< 0 left, 1 centre, 2 right
  int vAlign_ = 4;                              ///< 0 top, 4 centre, 8 bottom
  int renderingHint_ = 5;                       ///< kept
  std::unique_ptr<Font> font_;                  ///< cached drawing font
  const ImgResInfo* image_ = nullptr;           ///< owned by the manager's cache
  int imageCount_ = 4;                          ///< frames of the skin image
};

}  // namespace ZephUI
