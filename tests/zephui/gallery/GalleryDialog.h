// A dialog showing one of each catalogue control in a visible state, all built
// through the factory by class name. It records the notifications and menu
// reports that reach it; the benchmark repeats its block of controls to fill
// a larger window.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "zephui/MDialog.h"
#include "zephui/Message.h"

namespace ZephUI {
class MComboBox;
class MEdit;
}  // namespace ZephUI

namespace zephuitest {

class GalleryDialog : public ZephUI::MDialog {
 public:
  static constexpr int kBlockWidth = 630;   ///< one block of controls, in client pixels
  static constexpr int kBlockHeight = 360;
  static constexpr std::uint32_t kApplyId = 1;   ///< ids within the first block
  static constexpr std::uint32_t kEditId = 30;
  static constexpr std::uint32_t kComboId = 31;
  static constexpr ZephUI::UINT kMenuReport = ZephUI::WM_USER + 60;  ///< what a menu opened on the dialog posts

  /// One notification that reached OnMessage.
  struct Note {
    std::uint32_t id;
    ZephUI::UINT code;
    ZephUI::WPARAM wParam;
    bool operator==(const Note&) const = default;
  };

  void InitUI(const ZephUI::Rect& clientRect) override;
  ZephUI::LRESULT OnMessage(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                            ZephUI::LPARAM lParam) override;
  ZephUI::LRESULT OnWindowMessage(ZephUI::UINT msg, ZephUI::WPARAM wParam, ZephUI::LPARAM lParam) override;

  /// The client rectangle of a control of the first block.
  ZephUI::Rect ControlRect(std::uint32_t id);

  int tilesAcross = 1;                    ///< blocks side by side
  int tilesDown = 1;                      ///< rows of blocks
  std::vector<Note> notes;                ///< what OnMessage got
  std::vector<ZephUI::LPARAM> menuReports;  ///< the row ids menus reported
  ZephUI::MComboBox* combo = nullptr;     ///< of the first block
  ZephUI::MEdit* edit = nullptr;          ///< of the first block

 private:
  void BuildBlock(ZephUI::Point origin, std::uint32_t firstId);
  void BuildButtons(ZephUI::Point origin, std::uint32_t firstId);
  void BuildChoices(ZephUI::Point origin, std::uint32_t firstId);
  void BuildValues(ZephUI::Point origin, std::uint32_t firstId);
  void BuildLists(ZephUI::Point origin, std::uint32_t firstId);
  template <typename T>
  T* Make(std::u16string_view className, std::uint32_t id, ZephUI::Point origin, const ZephUI::Rect& rect,
          std::u16string_view text, bool enabled = true);
};

}  // namespace zephuitest
