// What a key can be made to do, in the codes every part of the program shares:
// the assignment kinds stored with a key, the one-byte output codes that the
// keyboard and the virtual keyboard understand, the built-in shortcuts, the
// mouse functions, and the names keys are shown with.
//
// Macro records and captured keys hold Windows virtual-key codes (that is what
// the stored data has always held); the senders turn them into output codes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// Kind of a key assignment row (macro_type); the numbers are stored in the database.
enum class AssignmentType : int {
  Default = 0,          // never stored: the row is deleted instead
  Disabled = 1,         // value kDisabledValue
  Key = 2,              // value = output code below kFirstPickerFunctionCode
  Macro = 3,            // value = macro id
  MouseFunction = 5,    // value = mouse function code (mouseButtonBit)
  FunctionGroup = 6,    // value 1-7, stored and forwarded only
  Shortcut = 7,         // value = built-in shortcut 1-15 (shortcutKeys)
  OpenProgram = 8,      // value = id of the extra-data row holding the path
  OpenWebAddress = 9,   // value = id of the extra-data row holding the address
  TypeText = 10,        // value = id of the extra-data row holding the text
  SwitchProfile = 11,   // value = id of the extra-data row holding the profile id
  PickerFunction = 12,  // value = picker code of kFirstPickerFunctionCode or more
};

/// Kind of a macro step (t_macrorecord.type); other values carry no key event.
enum class StepType : int {
  KeyPress = 2,    // value = the key's virtual-key code
  KeyRelease = 3,  // value = the key's virtual-key code
};

/// The assignment type of a stored macro_type value.
constexpr bool IsType(int macroType, AssignmentType type) { return macroType == static_cast<int>(type); }
/// Whether a stored step type is this kind.
constexpr bool IsStep(int stepType, StepType type) { return stepType == static_cast<int>(type); }

class KeyCodes {
 public:
  /// Most rows of the counted kinds (countsTowardLimit) one profile layer may hold.
  static constexpr int kMaxCountedAssignments = 64;
  /// Layout key code that can never be given an assignment.
  static constexpr int kUnassignableKeyCode = 255;
  /// macro_value of a disabled key.
  static constexpr int kDisabledValue = 1;
  /// Picker codes from here on are stored as PickerFunction instead of Key.
  static constexpr int kFirstPickerFunctionCode = 500;
  /// First output code that is played as a consumer (media) usage.
  static constexpr int kFirstConsumerCode = 232;
  /// Last output code that is played as a consumer (media) usage.
  static constexpr int kLastConsumerCode = 249;

  /// Modifier bit (macro_value2 of a Key row) for Ctrl.
  static constexpr int kModifierCtrl = 0x01;
  /// Modifier bit for Shift.
  static constexpr int kModifierShift = 0x02;
  /// Modifier bit for Alt.
  static constexpr int kModifierAlt = 0x04;
  /// Modifier bit for the Windows (GUI) key.
  static constexpr int kModifierWin = 0x08;

  /// Whether rows of this kind count toward kMaxCountedAssignments.
  static bool countsTowardLimit(AssignmentType type);

  /// Output code for a virtual key; 0 for keys without one (including the generic 16, 17, 18).
  static int toOutputCode(int virtualKey);
  /// The code a recorder stores for a virtual key: generic Shift, Ctrl, Alt become their left-hand codes.
  static int recordedVirtualKey(int virtualKey);

  /// Whether an output code is played as a consumer usage rather than a keyboard usage.
  static bool isConsumerCode(int outputCode);
  /// Consumer usage of an output code 232-249; 0 for any other code.
  static int consumerUsage(int outputCode);
  /// Display name of a media output code 232-249; empty for any other code.
  static std::u16string mediaFunctionName(int outputCode);

  /// Output codes of a built-in shortcut 1-15, in press order; empty for other values.
  static std::vector<int> shortcutKeys(int value);
  /// Mouse report button mask pressed by a mouse function code; 0 for unknown codes.
  static int mouseButtonBit(int code);

  /// Modifier names in the order Shift, Ctrl, Win, Alt, joined with " + "; empty without modifiers.
  static std::u16string modifierDescription(int modifierBits);
  /// Description of a key with modifiers, "<modifiers> + <key>"; the key name alone without modifiers.
  static std::u16string keyComboDescription(int modifierBits, std::u16string_view keyName);

  /// Name a key is shown with; empty for keys that have none.
  static std::u16string keyDisplayName(int virtualKey, int scanCode);

 private:
  static int rangeOutputCode(int virtualKey);
  static int listedOutputCode(int virtualKey);
  static std::u16string fixedKeyName(int virtualKey);
  static std::u16string systemKeyName(int virtualKey);
  static std::u16string rangeKeyName(int virtualKey);
};
