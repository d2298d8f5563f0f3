// A row of colour swatches (colour buttons with ids from 632 up, wrapping
// onto further rows as the width runs out). Choosing one reports
// NOTIFY_COLOR (its index, colour); giving the chosen swatch a new colour
// reports NOTIFY_COLOR (0, colour).
#pragma once

#include <cstdint>
#include <vector>

#include "zephui/Color.h"
#include "zephui/Export.h"
#include "zephui/MPanel.h"

namespace ZephUI {

class CColorButton;

/// Id of the first swatch of a colour selector; the others follow it.
inline constexpr std::uint32_t COLOR_SELECT_FIRST_ID = 632;

/// The library's swatch row ("CColorSelect" in the factory).
class ZEPHUI_API CColorSelect : public MPanel {
 public:
  /// An empty selector; swatches are 24 pixels square, 6 apart.
  CColorSelect(MObject* parent, std::uint32_t id, const Rect& rect, bool visible);
  ~CColorSelect() override;

  // ---- overrides ----
  /// A press on a swatch chooses it and reports NOTIFY_COLOR (index, colour); other swatch reports stay inside.
  LRESULT OnBaseMessage(std::uint32_t controlId, UINT msg, WPARAM wParam, LPARAM lParam) override;

  // ---- selector operations ----
  /// Appends a swatch of `colour`; its index, or -1 when it could not be made.
  int AddColor(GdiColor colour);
  /// The number of swatches.
  int GetItemCount() const;
  /// The colour of swatch `index`; black when out of range.
  GdiColor GetItemColor(int index) const;
  /// The chosen swatch; -1 when none.
  int GetSelItem() const;
  /// Chooses swatch `index` (-1 none) without a report; false when out of range.
  bool SetSelItem(int index);
  /// Gives the chosen swatch `colour` and reports NOTIFY_COLOR (0, colour); false when none is chosen.
  bool SetSelItemColor(GdiColor colour);
  /// The swatch at `index`; none when out of range.
  CColorButton* GetItem(int index) const;
  /// Sets the swatch size and the gap between swatches for swatches added later.
  void SetItemSize(int size, int gap);

 private:
  /// Where swatch `index` goes.
  Rect ItemRect(int index) const;

  std::vector<CColorButton*> items_;  ///< owned by the control list
  int selection_ = -1;                ///< chosen swatch
  int size_ = 24;                     ///< swatch side
  int gap_ = 6;                       ///< between swatches
};

}  // namespace ZephUI
