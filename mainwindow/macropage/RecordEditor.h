// The steps of the selected macro in the record list: shown from the store,
// moved up and down, deleted, given delays, and new key or delay steps put
// before or after the selected row. Every edit marks the steps changed; the
// page then stores them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/Records.h"
#include "zephui/Rect.h"

namespace ZephUI {
class MPanel;
class MText;
class CImageButton;
class CRecordList;
}  // namespace ZephUI

/// Where a composed step goes relative to the selected row.
enum class InsertPlace { Before, After };

class RecordEditor {
 public:
  /// Creates the list, its shades, headers and buttons on the page panel.
  void Build(ZephUI::MPanel& page, const ZephUI::Rect& client);
  /// Empties the list.
  void Clear();
  /// Shows stored steps in their order.
  void Show(const std::vector<StepRecord>& steps);
  /// The rows as steps of `macroId`, numbered in order.
  std::vector<StepRecord> Steps(int macroId) const;

  /// Swaps the selected row with the one above and selects it; false for the first row or none.
  bool MoveUp();
  /// Swaps the selected row with the one below and selects it; false for the last row or none.
  bool MoveDown();
  /// Deletes the selected row, keeping the same index selected; false when none is selected.
  bool DeleteSelected();
  /// Puts a press and a release of a key next to the selected row (at the end when none is).
  void InsertKey(int virtualKey, const std::u16string& name, InsertPlace place);
  /// Sets the delay after the selected row (After) or the row before it (Before); false when there is none.
  bool SetDelayNear(int delayMs, InsertPlace place);

  /// Whether the steps changed since they were last shown or stored.
  bool Changed() const { return changed_; }
  /// Marks the steps changed (the list's own delay editor) or stored.
  void MarkChanged(bool changed) { changed_ = changed; }
  /// Enables or disables the list and its buttons.
  void SetEnabled(bool enabled);
  /// Sets the texts again in the current language.
  void RefreshTexts();

  ZephUI::CRecordList* List() const { return list_; }

 private:
  void AddButton(ZephUI::MPanel& page, std::uint32_t id, int index, const char16_t* image, int left);
  void Rebuild(const std::vector<StepRecord>& steps, int select);

  ZephUI::CRecordList* list_ = nullptr;
  ZephUI::MText* title_ = nullptr;
  ZephUI::MText* headers_[3] = {};
  ZephUI::CImageButton* buttons_[4] = {};
  bool changed_ = false;
};
