// The list of stored macros on the left of the macro page and the buttons
// beside it: new (automatic names), delete, copy (the copied macro is
// remembered for the menu's paste), rename in place, import and export.
#pragma once

#include <cstdint>
#include <string>

#include "store/ExchangeFiles.h"
#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {
class MPanel;
class MButton;
class MText;
class DListBox;
}  // namespace ZephUI
class MacroPage;
class MacroPageHost;

class MacroList : public ExchangeListener {
 public:
  /// Highest number tried for an automatic name.
  static constexpr int kHighestNameNumber = 1000;

  MacroList(MacroPageHost& host, MacroPage& page);

  /// Creates the title, the list and the buttons on the page panel.
  void Build(ZephUI::MPanel& page, const ZephUI::Rect& client);
  /// Rebuilds the list from the store and shows the first macro; forgets the remembered macro.
  void Fill();
  /// Shows the names again under the current language's display rule; button texts again.
  void RefreshTexts();
  /// The selected macro's id; 0 when none is selected.
  int SelectedMacro() const;

  /// Makes a macro named "Macro n" (the smallest free n) and selects it.
  ZephUI::LRESULT NewMacro();
  /// Deletes the selected macro with its steps and the keys bound to it; selects the one before.
  ZephUI::LRESULT DeleteSelected();
  /// Remembers the selected macro and inserts a copy of it.
  ZephUI::LRESULT CopySelected();
  /// Inserts another copy of the remembered macro.
  ZephUI::LRESULT CopyRemembered();
  /// Opens the list's menu (only with a remembered macro).
  ZephUI::LRESULT OpenMenu();
  /// Starts renaming the selected macro in place.
  ZephUI::LRESULT StartRename();
  /// The in-place editor closed: refuses empty names and names with forbidden words.
  ZephUI::LRESULT EndRename();
  /// Asks for a macro file and imports it.
  ZephUI::LRESULT Import();
  /// Asks for a file and writes the selected macro to it.
  ZephUI::LRESULT Export();
  /// Imports a chosen file; false (with a message, nothing changed) when it is no macro file.
  bool ImportFile(const std::string& path);
  /// Writes the macro to the file whole or not at all; false (with a message) on failure.
  bool ExportFile(int macroId, const std::string& path);

  /// The macro the copy button remembered; 0 when none.
  int Remembered() const { return remembered_; }
  /// Forgets the remembered macro.
  void ForgetRemembered() { remembered_ = 0; }
  /// Enables or disables the list and its buttons.
  void SetEnabled(bool enabled);
  /// Enables or disables the buttons that need a selected macro.
  void SetEditing(bool enabled);

  ZephUI::DListBox* List() const { return list_; }

  // ExchangeListener
  void MacroImported(const std::u16string& name, int macroId, bool select) override;
  void ProfileImported(const std::u16string& name, int profileId) override;

 private:
  std::u16string FreeName(const std::u16string& base) const;
  void RestoreStoredName(int index, int macroId);

  MacroPageHost& host_;
  MacroPage& page_;
  ZephUI::MText* title_ = nullptr;
  ZephUI::DListBox* list_ = nullptr;
  ZephUI::MButton* buttons_[6] = {};
  int remembered_ = 0;
};
