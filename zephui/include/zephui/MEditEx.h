// A rich edit field with a tip: while it is empty and does not have the
// focus it shows its tip text in grey instead.
#pragma once

#include <cstdint>
#include <string>

#include "zephui/Export.h"
#include "zephui/MRichEdit.h"

namespace ZephUI {

/// The library's rich edit field with a tip ("MEditEx" in the factory).
class ZEPHUI_API MEditEx : public MRichEdit {
 public:
  /// A field holding `text`, without tip.
  MEditEx(MObject* parent, std::uint32_t id, const Rect& rect, std::u16string text, bool visible, bool enabled);
  ~MEditEx() override;

  /// The field, or the grey tip while empty and unfocused.
  void DrawControl(RenderContext& hdc, const Rect& paintRect) override;

  /// The grey text shown while the field is empty and unfocused.
  void SetTipInfo(std::u16string text);
  /// The tip text.
  std::u16string GetTipInfo() const;
  /// True when the tip shows instead of the text now.
  bool IsShowingTip() const;

 protected:
  /// The rectangle the tip is drawn in.
  virtual Rect TipRect() const;

 private:
  std::u16string tip_;
};

}  // namespace ZephUI
