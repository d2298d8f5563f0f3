// A popup for the window-class tests: one "SampleButton" built in InitUI; it
// records its notifications, layouts and its end, and may delete itself then.
#pragma once

#include <vector>

#include "zephui/MPopupWnd.h"

namespace zephuitest {

class SamplePopup : public ZephUI::MPopupWnd {
 public:
  static constexpr std::uint32_t kButtonId = 21;  ///< its button
  static constexpr ZephUI::Rect kButtonRect{10, 10, 90, 40};  ///< client pixels

  explicit SamplePopup(ZephUI::MObject* owner) : MPopupWnd(owner) {}
  ~SamplePopup() override;

  void InitUI(const ZephUI::Rect& clientRect) override;
  void UISize(const ZephUI::Rect& clientRect) override;
  ZephUI::LRESULT OnMessage(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                            ZephUI::LPARAM lParam) override;
  void PostNcDestroy() override;

  bool deleteAtEnd = false;                  ///< PostNcDestroy deletes the popup
  bool* deleted = nullptr;                   ///< set by the destructor
  std::vector<std::uint32_t> notified;       ///< control ids that notified, one per notification
  std::vector<ZephUI::Rect> sizeRects;       ///< UISize arguments
  int finalCalls = 0;                        ///< PostNcDestroy calls
};

}  // namespace zephuitest
