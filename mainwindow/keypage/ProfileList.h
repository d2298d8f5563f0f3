// The profile list on the left of the key page: the stored profiles of the
// keyboard with the current one selected, and the buttons that add, delete,
// rename, import and export profiles. Choosing a profile makes it current:
// its keys are shown on the picture and loaded into the key filter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "store/ExchangeFiles.h"
#include "zephui/Rect.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {
class MPanel;
class DListBox;
class CImageButton;
}  // namespace ZephUI
class KeyPage;
class KeyPageHost;

/// Control ids of the profile list and its buttons.
namespace ProfileListId {
inline constexpr std::uint32_t kAdd = 60;
inline constexpr std::uint32_t kDelete = 61;
inline constexpr std::uint32_t kRename = 62;
inline constexpr std::uint32_t kImport = 63;
inline constexpr std::uint32_t kExport = 64;
inline constexpr std::uint32_t kList = 66;
}  // namespace ProfileListId

/// Items of the profile menu message.
namespace ProfileMenuItem {
inline constexpr int kDelete = 605;
inline constexpr int kRename = 606;
inline constexpr int kImport = 607;
inline constexpr int kExport = 608;
}  // namespace ProfileMenuItem

class ProfileList : public ExchangeListener {
 public:
  /// Most profiles the add button makes.
  static constexpr int kProfileLimit = 200;
  /// Highest number tried for an automatic name.
  static constexpr int kHighestNameNumber = 1000;

  ProfileList(KeyPageHost& host, KeyPage& page);

  /// Creates the buttons and the list on the page panel.
  void Build(ZephUI::MPanel& page, const ZephUI::Rect& client);
  /// A notification of a button or the list; nullopt when the id is not theirs.
  std::optional<ZephUI::LRESULT> OnNotify(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                                          ZephUI::LPARAM lParam);
  /// A profile menu choice.
  ZephUI::LRESULT OnMenu(int item);
  /// Rebuilds the list from the store (three profiles for a fresh store) and shows the current one.
  void Fill();
  /// Shows the names again under the current language's display rule; tooltips again.
  void RefreshTexts();
  /// Makes a profile current as choosing it would (list, window, store, picture, key filter).
  void SwitchTo(int profileId);

  ZephUI::LRESULT Add();
  ZephUI::LRESULT Delete();
  ZephUI::LRESULT StartRename();
  ZephUI::LRESULT EndRename();
  ZephUI::LRESULT Select();
  /// Asks for a file and imports it when the answer comes.
  ZephUI::LRESULT Import();
  /// Asks for a file and exports the selected profile to it when the answer comes.
  ZephUI::LRESULT Export();
  /// Imports a chosen file; false (with a message) when nothing could be imported.
  bool ImportFile(const std::string& path);
  /// Writes the profile to the chosen file whole or not at all; false (with a message) on failure.
  bool ExportFile(int profileId, const std::string& path);

  ZephUI::DListBox* List() const { return list_; }

  // ExchangeListener
  void MacroImported(const std::u16string& name, int macroId, bool select) override;
  void ProfileImported(const std::u16string& name, int profileId) override;

 private:
  void AddButton(ZephUI::MPanel& page, std::uint32_t id, int index, const char16_t* image);
  void SetButtonTooltips();
  std::u16string NextName() const;
  void MakeCurrent(int profileId);
  void RestoreStoredName(int index, int profileId);

  KeyPageHost& host_;
  KeyPage& page_;
  ZephUI::DListBox* list_ = nullptr;
  ZephUI::CImageButton* buttons_[5] = {};
};
