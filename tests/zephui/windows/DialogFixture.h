// Headless fixture of the dialog and popup tests: the sample controls are
// known to the factory, and a dialog is made at a known place.
#pragma once

#include "tests/zephui/backend/HeadlessFixture.h"
#include "tests/zephui/windows/SampleDialog.h"

namespace zephuitest {

class DialogFixture : public HeadlessFixture {
 protected:
  static constexpr ZephUI::Rect kDialogRect{100, 100, 460, 300};  ///< screen pixels

  void SetUp() override;
  /// Creates `dialog` at kDialogRect, owned by `owner`; visible unless `hidden`.
  static ZephUI::HWND Open(ZephUI::MDialog& dialog, ZephUI::HWND owner = nullptr, bool hidden = false);
  /// The centre of a client rectangle.
  static ZephUI::Point Centre(const ZephUI::Rect& rect) {
    return ZephUI::Point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  /// Clicks a client point of `hwnd` and handles what follows.
  static void Click(ZephUI::HWND hwnd, ZephUI::Point client);
};

}  // namespace zephuitest
