#include "mainwindow/keypage/KeyLabels.h"

#include "app/LanguageText.h"
#include "device/KeyCodes.h"

std::u16string KeyLabels::Text(int number) { return GetLanguageText(kDialogSection, number); }

std::u16string KeyLabels::Replaced(const std::u16string& stored, std::u16string_view word, int textNumber) {
  if (GetLanguageId() != kChinese || !stored.starts_with(word)) return stored;
  return Text(textNumber) + stored.substr(word.size());
}

std::u16string KeyLabels::MacroName(const std::u16string& stored) { return Replaced(stored, u"Macro", 331); }

std::u16string KeyLabels::ProfileName(const std::u16string& stored) { return Replaced(stored, u"Profile", 65); }

std::u16string KeyLabels::MouseDetail(int value) {
  switch (value) {
    case 1: return Text(220);
    case 2: return Text(222);
    case 3: return Text(223);
    case 7: return Text(227);
    case 8: return Text(228);
    default: return u"";
  }
}

KeyTip KeyLabels::TipFor(const KeyAssignmentRecord& record) {
  const auto kind = static_cast<AssignmentType>(record.macroType);
  switch (kind) {
    case AssignmentType::Disabled: return {true, Text(202), u""};
    case AssignmentType::Key:
    case AssignmentType::PickerFunction: return {true, Text(205), record.description};
    case AssignmentType::Macro: return {true, Text(206), MacroName(record.description)};
    case AssignmentType::MouseFunction: return {true, Text(207), MouseDetail(record.macroValue)};
    case AssignmentType::FunctionGroup: return {true, Text(208), record.description};
    case AssignmentType::Shortcut: return {true, Text(209), Text(700 + record.macroValue)};
    case AssignmentType::OpenProgram: return {true, Text(210), record.description};
    case AssignmentType::OpenWebAddress: return {true, Text(211), record.description};
    case AssignmentType::TypeText: return {true, Text(212), record.description};
    default: return {};
  }
}
