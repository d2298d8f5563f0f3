// The popup window ("ComboWnd") that shows a combo box's list. It holds one
// CComboBoxList (id 88), passes the chosen row to the combo box and closes;
// it also closes when it loses activation or Escape is pressed, and tells the
// combo box when it is gone. It deletes itself after its window is destroyed.
#pragma once

#include <cstdint>
#include <string_view>

#include "zephui/Export.h"
#include "zephui/MPopupWnd.h"

namespace ZephUI {

class CComboBoxList;

/// The control id of the list inside the combo popup.
inline constexpr std::uint32_t COMBO_LIST_ID = 88;
/// The code the popup sends its combo box when its window is gone.
inline constexpr UINT COMBO_POPUP_CLOSED = 22;

/// The popup of a combo box; create it with new, it deletes itself.
class ZEPHUI_API CComboBoxWnd : public MPopupWnd {
 public:
  /// A popup for `owner` (the combo box).
  explicit CComboBoxWnd(MObject* owner);
  ~CComboBoxWnd() override;

  /// Builds the list, inset 3 pixels left and right and 6 top and bottom.
  void InitUI(const Rect& clientRect) override;
  /// Keeps the list inset when the popup is sized.
  void UISize(const Rect& clientRect) override;
  /// The list's choice goes to the combo box and closes the popup; its Escape closes it.
  LRESULT OnMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;
  /// Tells the combo box the popup is gone, then deletes the popup.
  void PostNcDestroy() override;

  /// The list; none before the window exists.
  CComboBoxList* GetList() const;
  /// Stops reporting to the combo box (it is going away).
  void DetachOwner();

 private:
  /// The list rectangle for a client rectangle.
  static Rect ListRect(const Rect& clientRect);

  CComboBoxList* list_ = nullptr;  ///< owned by the popup's paint manager
};

}  // namespace ZephUI
