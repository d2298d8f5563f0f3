// The key customisation page (layout 51): the keyboard picture on which every
// reassigned key is marked and has a tooltip, the key function picker, the
// key's context menu and the profile list beside them. Every change goes to
// the store first and then into the key filter, so the key acts at once.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/KeyboardLayout.h"
#include "store/Records.h"
#include "zephui/WindowTypes.h"

namespace ZephUI {
class MDialog;
class MControl;
class KeyboardCtrl;
class KeyFuncControl;
}  // namespace ZephUI
class KeyPageHost;
class ProfileList;

/// Control ids of the page, as the window's OnMessage receives them.
namespace KeyPageId {
inline constexpr std::uint32_t kPage = 51;
inline constexpr std::uint32_t kTopShade = 59;
inline constexpr std::uint32_t kListShade = 65;
inline constexpr std::uint32_t kPicture = 67;
inline constexpr std::uint32_t kPicker = 69;
}  // namespace KeyPageId

/// Window messages of the page's menus (lParam the chosen item).
namespace KeyPageMessage {
inline constexpr ZephUI::UINT kKeyMenu = 1825;
inline constexpr ZephUI::UINT kProfileMenu = 1826;
}  // namespace KeyPageMessage

/// Items of the key context menu.
namespace KeyMenuItem {
inline constexpr int kRestore = 606;
inline constexpr int kDisable = 607;
inline constexpr int kMacro = 608;
inline constexpr int kShortcut = 609;
inline constexpr int kOtherFunction = 610;  ///< the dialog with the kinds that need more than one choice
}  // namespace KeyMenuItem

class KeyPage {
 public:
  /// Most assignments of the counted kinds per profile and layer.
  static constexpr int kAssignmentLimit = 64;
  /// The key that cannot be reassigned on the picture, and the code the picker refuses to assign to.
  static constexpr int kRefusedPictureKey = 175;
  static constexpr int kRefusedPickerKey = 255;

  explicit KeyPage(KeyPageHost& host);
  ~KeyPage();

  /// Creates the page's controls on layout 51 of `dialog`.
  void Build(ZephUI::MDialog& dialog, const ZephUI::Rect& client);
  /// A notification of one of the page's controls; nullopt when the id is not the page's.
  std::optional<ZephUI::LRESULT> OnNotify(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                                          ZephUI::LPARAM lParam);
  /// The key context menu's choice (message 1825).
  ZephUI::LRESULT OnKeyMenu(int item);
  /// A profile menu choice (message 1826).
  ZephUI::LRESULT OnProfileMenu(int item);
  /// The load step: fills the profile list, shows and programs the current profile.
  void Load();
  /// Sets every text again in the current language.
  void RefreshTexts();
  /// Shows the assignments of a profile on the picture (marks and tooltips).
  void ShowAssignments(int profileId);
  /// Makes another profile current as a profile-switch key does: shows and programs it.
  void SwitchToProfile(int profileId);

  /// The layout's key picture goes here: its rectangle, image and keys.
  void ClearPictureKeys();
  void SetPicture(const ZephUI::Rect& rect, const std::u16string& image, int width, int height);
  void AddPictureKey(const LayoutKey& key);

  /// The number of stored assignments of the counted kinds for (profile, layer 0).
  int CountedAssignments(int profileId) const;
  /// The key last chosen on the picture.
  int CurrentKey() const { return currentKey_; }
  ZephUI::KeyboardCtrl* Picture() const { return picture_; }
  ZephUI::KeyFuncControl* Picker() const { return picker_; }
  ProfileList& Profiles() { return *profiles_; }

  /// Saves a record for the current key and applies it (marks, tooltip, picker, key filter).
  void SaveAndApply(KeyAssignmentRecord record);

 private:
  ZephUI::LRESULT OnPictureNotice(ZephUI::UINT msg, ZephUI::LPARAM keyValue);
  ZephUI::LRESULT OnPickerNotice();
  void OpenKeyMenu();
  ZephUI::LRESULT OpenCustomKey(int kind);
  bool LimitReached();
  void SetTip(const KeyAssignmentRecord& record);
  void CheckPickerFor(const KeyAssignmentRecord& record);
  void ClearPickerCheck();
  void SetPickerDescriptions();

  KeyPageHost& host_;
  std::unique_ptr<ProfileList> profiles_;
  ZephUI::KeyboardCtrl* picture_ = nullptr;
  ZephUI::KeyFuncControl* picker_ = nullptr;
  int currentKey_ = 0;
};
