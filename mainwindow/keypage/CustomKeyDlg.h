// The dialog that binds a key to what a single picker item cannot express: a
// macro, a built-in shortcut, or one of the further kinds (a captured key
// combination, a mouse button, a media function, a program, a web address, a
// text to paste, a profile switch). Its OK saves the assignment to the store;
// the page then shows it and loads it into the key filter.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <memory>
#include <string>

#include "store/Records.h"
#include "zephui/MDialog.h"

namespace ZephUI {
class MComboBox;
class MEdit;
class MText;
class CCheckButton;
class CImageButton;
}  // namespace ZephUI
class KeyPageHost;

/// Control ids of the dialog.
namespace CustomKeyId {
inline constexpr std::uint32_t kClose = 32;
inline constexpr std::uint32_t kKeyName = 34;
inline constexpr std::uint32_t kKinds = 36;
inline constexpr std::uint32_t kChoices = 37;
inline constexpr std::uint32_t kField = 38;
inline constexpr std::uint32_t kShift = 39;
inline constexpr std::uint32_t kCtrl = 40;
inline constexpr std::uint32_t kWin = 41;
inline constexpr std::uint32_t kAlt = 42;
inline constexpr std::uint32_t kOpenFile = 43;
inline constexpr std::uint32_t kOk = 44;
}  // namespace CustomKeyId

class CustomKeyDlg : public ZephUI::MDialog {
 public:
  static constexpr int kWidth = 660;
  static constexpr int kHeight = 360;

  /// A dialog for `keyCode` (shown as `keyName`) in `profileId`; kind 3 or 7 offer that kind, any other the further kinds.
  CustomKeyDlg(KeyPageHost& host, int keyCode, std::u16string keyName, int profileId, int kind);
  ~CustomKeyDlg() override;

  /// Creates the dialog over `owner`, centred on it, and runs it; 1 when it ended with OK.
  int Run(ZephUI::HWND owner);

  // MDialog
  int OnInitDialog() override;
  void InitUI(const ZephUI::Rect& clientRect) override;
  void UISize(const ZephUI::Rect& clientRect) override;
  ZephUI::LRESULT OnMessage(std::uint32_t controlId, ZephUI::UINT msg, ZephUI::WPARAM wParam,
                            ZephUI::LPARAM lParam) override;
  ZephUI::LRESULT OnWindowMessage(ZephUI::UINT msg, ZephUI::WPARAM wParam, ZephUI::LPARAM lParam) override;

  /// The kind the controls are set up for.
  int Kind() const { return kind_; }
  /// Chooses a kind as the kind list would.
  void ChooseKind(int kind);
  /// Takes a key press for the combination kind; the modifier keys themselves are ignored.
  void CaptureKey(int virtualKey, int scanCode);
  /// Builds and saves the assignment as OK does; false (dialog kept open) when the choice is incomplete.
  bool Commit();
  ZephUI::MComboBox* Choices() const { return choices_; }
  ZephUI::MEdit* Field() const { return field_; }
  ZephUI::CCheckButton* Modifier(int index) const { return modifiers_[index]; }

 private:
  void BuildHeader(int width);
  void BuildChoices();
  void FillKinds();
  void SetUpKind();
  void FillChoices();
  void FillMacros();
  void FillProfiles();
  void AddChoices(std::initializer_list<std::pair<int, int>> textsAndValues);
  void AskProgram();
  bool CommitChoice(KeyAssignmentRecord& record);
  bool CommitText(KeyAssignmentRecord& record);
  bool CommitCombination(KeyAssignmentRecord& record);
  int ModifierBits() const;

  KeyPageHost& host_;
  int keyCode_;
  std::u16string keyName_;
  int profileId_;
  int kind_;
  bool further_;  // opened for the further kinds: the kind list offers all of them
  int capturedKey_ = 0;
  std::u16string capturedName_;
  std::shared_ptr<bool> alive_;  // answers of a file chooser check it before touching the dialog
  ZephUI::MComboBox* kinds_ = nullptr;
  ZephUI::MComboBox* choices_ = nullptr;
  ZephUI::MEdit* field_ = nullptr;
  ZephUI::CCheckButton* modifiers_[4] = {};
  ZephUI::CImageButton* openFile_ = nullptr;
};
