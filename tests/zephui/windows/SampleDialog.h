// A dialog for the window-class tests: a title text and the buttons "Apply"
// and "OK" built through the factory; it records what reaches its handlers,
// closes with DoOK when OK is clicked, and may delete itself at its end.
#pragma once

#include <functional>
#include <vector>

#include "zephui/MDialog.h"

namespace zephuitest {

class SampleDialog : public ZephUI::MDialog {
 public:
  static constexpr std::uint32_t kTitleId = 10;  ///< the text
  static constexpr std::uint32_t kApplyId = 11;  ///< a button that only reports
  static constexpr std::uint32_t kOkId = 12;     ///< a button that closes with code 1
  static constexpr ZephUI::Rect kApplyRect{40, 120, 160, 152};  ///< client pixels
  static constexpr ZephUI::Rect kOkRect{200, 120, 320, 152};    ///< client pixels

  /// One notification that reached OnMessage.
  struct Notification {
    std::uint32_t id;  ///< control id
    ZephUI::UINT code; ///< NOTIFY_* code
    bool operator==(const Notification&) const = default;
  };

  ~SampleDialog() override;

  void InitUI(const ZephUI::Rect& clientRect) override;
  void UISize(const ZephUI::Rect& clientRect) override;
  ZephUI::LRESULT OnMessage(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                            ZephUI::LPARAM lParam) override;
  ZephUI::LRESULT OnClose(ZephUI::WPARAM wParam, ZephUI::LPARAM lParam) override;
  ZephUI::LRESULT OnLButtonDown(std::uint32_t flags, ZephUI::Point point) override;
  void PostNcDestroy() override;

  bool buildControls = true;                       ///< InitUI builds the three controls
  bool deleteAtEnd = false;                        ///< PostNcDestroy deletes the dialog
  bool* deleted = nullptr;                         ///< set by the destructor
  std::function<void(std::uint32_t, ZephUI::UINT)> onNotify;  ///< runs inside OnMessage
  std::vector<Notification> notifications;         ///< what OnMessage got
  std::vector<ZephUI::Rect> initRects;             ///< InitUI arguments
  std::vector<ZephUI::Rect> sizeRects;             ///< UISize arguments
  std::vector<ZephUI::WPARAM> closeCodes;          ///< OnClose wParams
  std::vector<ZephUI::Point> presses;              ///< OnLButtonDown points
  bool managerReadyAtInit = false;                 ///< the paint manager was attached before InitUI
  int finalCalls = 0;                              ///< PostNcDestroy calls
  bool windowGoneAtFinal = false;                  ///< the window no longer existed at PostNcDestroy
};

}  // namespace zephuitest
