// What the macro page needs from the window it sits in: the store, the key
// filter, the key page's picture, message boxes, the name test, a file
// chooser, the tab strip and the keyboard hook recording runs on. The main
// window serves it; tests put a fake in its place.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "zephui/FileChooser.h"
#include "zephui/WindowTypes.h"

class KeyboardHook;
class ProfileStore;

/// Whether the tab strip takes clicks.
enum class TabStripInput { Enabled, Disabled };

class MacroPageHost {
 public:
  virtual ~MacroPageHost() = default;

  /// The profile store of the loaded keyboard.
  virtual ProfileStore& Store() = 0;
  /// Reprograms the key filter with the current profile's assignments (a bound macro plays its new steps).
  virtual void ProgramKeyFilter() = 0;
  /// Shows the current profile's assignments on the key page again.
  virtual void ShowKeyAssignments() = 0;
  /// The program's message box with one button.
  virtual void ShowMessage(const std::u16string& text, const std::u16string& title) = 0;
  /// The plain system message box with one button.
  virtual void ShowSystemMessage(const std::u16string& text, const std::u16string& caption) = 0;
  /// True when a name holds a forbidden word.
  virtual bool ContainsForbiddenWord(std::u16string_view name) const = 0;
  /// Asks for a file; the answer arrives later on the UI thread.
  virtual void AskFile(ZephUI::FileChooserRequest request, ZephUI::FileChooser::AnswerHandler onAnswer) = 0;
  /// The main window (owner of menus, dialogs and the recording's messages).
  virtual ZephUI::HWND Window() const = 0;
  /// Lets the tab strip take clicks or not (not while recording, so the page cannot be left).
  virtual void SetTabStripInput(TabStripInput input) = 0;
  /// A new hook that takes every key while recording: the keyboard grab on X11, else the evdev hook.
  virtual std::unique_ptr<KeyboardHook> MakeRecordingHook() = 0;
};
