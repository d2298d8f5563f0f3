// Headless fixture of the control catalogue tests: a dialog on a dark
// background that records its notifications, a four-frame test skin in the
// skin folder, and probes into a control's cached state slots.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Color.h"
#include "zephui/MControl.h"
#include "zephui/MDialog.h"

namespace cataloguetest {

/// A dialog that keeps every notification reaching OnMessage.
class NoteDialog : public ZephUI::MDialog {
 public:
  struct Note {
    std::uint32_t id;
    ZephUI::UINT code;
    ZephUI::WPARAM wParam;
    ZephUI::LPARAM lParam;
    bool operator==(const Note&) const = default;
  };
  ZephUI::LRESULT OnMessage(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                            ZephUI::LPARAM lParam) override;

  std::vector<Note> notes;
};

class CatalogueFixture : public zephuitest::HeadlessFixture {
 public:
  static constexpr int kFrame = 20;  ///< the test skin's frame width and height
  static constexpr ZephUI::ArgbColor kCorner{0xFF00FF00};  ///< the skin's corner blocks
  static constexpr ZephUI::ArgbColor kEdge{0xFF0000FF};    ///< the skin's edges
  /// The skin's centre colour of frame `frame`.
  static ZephUI::ArgbColor Centre(int frame);

 protected:
  void SetUp() override;
  void TearDown() override;
  /// Builds a control through the dialog's factory, then lets the window paint it.
  template <typename T>
  T* Add(std::u16string_view className, std::uint32_t id, const ZephUI::Rect& rect, std::u16string_view text) {
    auto* control = dynamic_cast<T*>(dialog_->CreateControl(className, id, rect, text, true, true));
    dialog_->GetPaintManager().Invalidate();  // adding a control after the first paint shows nothing by itself
    Settle();
    return control;
  }
  /// Lets the paint pacing pass and handles what is queued.
  static void Settle();
  /// Pixel (x, y) of cache slot `slot` of a control.
  static ZephUI::ArgbColor SlotPixel(const ZephUI::MControl& control, int slot, int x, int y);
  /// Bounding box, in slot pixels, of the pixels of slot `slot` that `match` accepts; empty when none.
  static ZephUI::Rect SlotBox(const ZephUI::MControl& control, int slot,
                              const std::function<bool(ZephUI::ArgbColor)>& match);

  std::unique_ptr<NoteDialog> dialog_;
  ZephUI::HWND hwnd_ = nullptr;
};

/// True for the pixels of one colour, alpha included.
inline std::function<bool(ZephUI::ArgbColor)> Is(ZephUI::ArgbColor colour) {
  return [colour](ZephUI::ArgbColor pixel) { return pixel == colour; };
}

}  // namespace cataloguetest
