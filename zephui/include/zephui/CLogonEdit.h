// A sign-in field: a rich edit field with a tip and an icon at its left
// (a person, a lock), its text starting after the icon.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/Image.h"
#include "zephui/MEditEx.h"

namespace ZephUI {

/// The library's sign-in field.
class ZEPHUI_API CLogonEdit : public MEditEx {
 public:
  /// A field holding `text`, without icon.
  CLogonEdit(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible, bool enabled);
  ~CLogonEdit() override;

  /// The icon, then the field beside it.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;

  /// The first frame of an icon strip from the skin folder, drawn at the left, centred vertically; 0 on failure.
  int SetIconImage(std::u16string_view fileName, int frameCount);
  /// The icon rectangle in window pixels; empty without icon.
  Rect GetIconRect() const;

 protected:
  /// The tip starts after the icon.
  Rect TipRect() const override;

 private:
  std::unique_ptr<Image> icon_;
  int iconFrames_ = 1;
};

}  // namespace ZephUI
