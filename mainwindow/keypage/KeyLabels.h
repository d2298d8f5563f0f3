// The texts the key page shows for stored things: the label and detail of a
// key's tooltip by the kind of its assignment, and the way macro and profile
// names are shown in Chinese (the English word the store keeps is replaced by
// the translated one).
#pragma once

#include <string>

#include "store/Records.h"

/// A key tooltip: the label names the kind, the detail what it does.
struct KeyTip {
  bool shown = false;     ///< false for kinds that get no tooltip
  std::u16string label;   ///< heading
  std::u16string detail;  ///< text below it
};

class KeyLabels {
 public:
  /// Language id whose display rules replace the stored English words.
  static constexpr int kChinese = 2052;

  /// The tooltip of an assignment in the current language.
  static KeyTip TipFor(const KeyAssignmentRecord& record);
  /// A macro name as shown: in Chinese a leading "Macro" becomes text 331.
  static std::u16string MacroName(const std::u16string& stored);
  /// A profile name as shown: in Chinese a leading "Profile" becomes text 65.
  static std::u16string ProfileName(const std::u16string& stored);
  /// Language text number `number` of the dialog section.
  static std::u16string Text(int number);

 private:
  static std::u16string MouseDetail(int value);
  static std::u16string Replaced(const std::u16string& stored, std::u16string_view word, int textNumber);
};
