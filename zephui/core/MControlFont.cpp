#include "zephui/MControlFont.h"

#include <utility>

#include "zephui/Manager.h"
#include "zephui/PaintManager.h"

namespace ZephUI {

MControlFont::MControlFont(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string title, bool visible,
                           bool enabled, bool mouseResponse)
    : MControl(parent, id, rect, visible, enabled, mouseResponse),
      title_(std::move(title)),
      faceName_(Manager::GetFontName()),
      fontSize_(Manager::GetFontWidth()) {}

MControlFont::~MControlFont() = default;

void MControlFont::SetTextFont(std::u16string faceName) {
  faceName_ = std::move(faceName);
  ClearGDIFont();
}

void MControlFont::SetTextColor(ArgbColor colour) { textColour_ = colour; }

int MControlFont::SetImage(int resourceId, std::u16string_view resourceType, int frameCount) {
  if (manager_ == nullptr) return 0;
  const ImgResInfo* record = manager_->AddImgResInfo(resourceId, resourceType, frameCount, true);
  if (record == nullptr) return 0;
  image_ = record;
  imageCount_ = record->frameCount;
  UpdateControl(CacheReset::Reset);
  return 1;
}

int MControlFont::SetImage(std::u16string_view path, int frameCount) {
  if (manager_ == nullptr) return 0;
  const ImgResInfo* record = manager_->AddImgResInfo(path, frameCount);
  if (record == nullptr) return 0;
  image_ = record;
  imageCount_ = record->frameCount;
  UpdateControl(CacheReset::Reset);
  return 1;
}

void MControlFont::SetControlTitle(std::u16string text) { title_ = std::move(text); }

std::u16string MControlFont::GetControlTitle() const { return title_; }

void MControlFont::SetTitle(std::u16string text) {
  ClearGDIFont();
  SetControlTitle(std::move(text));
  UpdateControl(CacheReset::Reset);
}

std::u16string MControlFont::GetTitle() const { return GetControlTitle(); }

void MControlFont::SetAlignment(int horizontal) {
  if (hAlign_ == horizontal) return;
  hAlign_ = horizontal;
  UpdateControl(CacheReset::Reset);
}

void MControlFont::SetVAlignment(int vertical) {
  if (vAlign_ == vertical) return;
  vAlign_ = vertical;
  UpdateControl(CacheReset::Reset);
}

void MControlFont::SetAlignment(int horizontal, int vertical) {
  if (hAlign_ == horizontal && vAlign_ == vertical) return;
  hAlign_ = horizontal;
  vAlign_ = vertical;
  UpdateControl(CacheReset::Reset);
}

void MControlFont::GetAlignment(int& horizontal, int& vertical) const {
  horizontal = hAlign_;
  vertical = vAlign_;
}

void MControlFont::SetFont(std::u16string faceName, int size, std::uint32_t style) {
  faceName_ = std::move(faceName);
  fontSize_ = size;
  fontStyle_ = style;
  ClearGDIFont();
}

std::u16string MControlFont::GetTextFont() const { return faceName_; }

void MControlFont::SetFontWidth(int size) {
  fontSize_ = size;
  ClearGDIFont();
}

int MControlFont::GetFontWidth() const { return fontSize_; }

void MControlFont::SetFontStyle(std::uint32_t style) {
  fontStyle_ = style;
  ClearGDIFont();
}

std::uint32_t MControlFont::GetFontStyle() const { return fontStyle_; }

ArgbColor MControlFont::GetTextColor() const { return textColour_; }

void MControlFont::SetTextRenderingHint(int hint) { renderingHint_ = hint; }

std::u16string MControlFont::GetFontFamily(std::u16string_view faceName) const {
  return manager_ != nullptr ? manager_->FamilyOf(faceName) : std::u16string{};
}

const Font& MControlFont::GetGDIFont() {
  if (!font_) {
    // Every control draws in the global face; the per-control face only names the wish.
    std::u16string family = manager_ != nullptr ? manager_->FindTempFont(faceName_) : std::u16string{};
    if (family.empty()) family = Manager::GetFontName();
    font_ = std::make_unique<Font>(std::move(family), fontSize_, static_cast<FontStyle>(fontStyle_ & 0x7));
  }
  return *font_;
}

void MControlFont::ClearGDIFont() { font_.reset(); }

void MControlFont::SetImageCount(int count) { imageCount_ = count; }

Size MControlFont::GetImageSize() const {
  if (image_ == nullptr || !image_->image) return Size{};
  const int frames = imageCount_ > 0 ? imageCount_ : 1;
  return Size{image_->image->Width() / frames, image_->height};
}

std::u16string MControlFont::GetImagePath() const { return image_ != nullptr ? image_->path : std::u16string{}; }

const ImgResInfo* MControlFont::GetImageInfo() const { return image_; }

TextFormat MControlFont::GetTextFormat(bool multiLine) const {
  TextFormat format = multiLine ? TextFormat::WordBreak : TextFormat::SingleLine;
  if (hAlign_ == 1) format = format | TextFormat::Center;
  if (hAlign_ == 2) format = format | TextFormat::Right;
  if (vAlign_ == 4) format = format | TextFormat::VCenter;
  if (vAlign_ == 8) format = format | TextFormat::Bottom;
  return format;
}

}  // namespace ZephUI
