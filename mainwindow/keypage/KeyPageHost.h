// What the key customisation page and its profile list need from the window
// they sit in: the store, the key filter, the job queue, message boxes, the
// name test, the current profile and a file chooser. The main window serves
// it; tests put a fake in its place.
#pragma once

#include <string>
#include <string_view>

#include "zephui/FileChooser.h"
#include "zephui/WindowTypes.h"

class ProfileStore;

/// Which message box a question is asked with.
enum class BoxStyle { OneButton, TwoButtons };

class KeyPageHost {
 public:
  virtual ~KeyPageHost() = default;

  /// The profile store of the loaded keyboard.
  virtual ProfileStore& Store() = 0;
  /// Reprograms the key filter with a profile's layer-0 assignments (the keys change at once).
  virtual void ProgramKeyFilter(int profile) = 0;
  /// Queues the key download job and shows the wait dialog until the worker ends it.
  virtual void QueueApplyKeysAndWait() = 0;
  /// The program's message box; 1 for the first button, 2 for the second.
  virtual int ShowMessage(const std::u16string& text, const std::u16string& title, BoxStyle style) = 0;
  /// The plain system message box with one button.
  virtual void ShowSystemMessage(const std::u16string& text, const std::u16string& caption) = 0;
  /// True when a name holds a forbidden word.
  virtual bool ContainsForbiddenWord(std::u16string_view name) const = 0;
  /// The window's current profile id.
  virtual int CurrentProfile() const = 0;
  /// Sets the window's current profile id (the store is not touched).
  virtual void SetCurrentProfile(int profileId) = 0;
  /// Runs the custom key dialog for (key, profile, kind) modally; 1 when it ended with OK.
  virtual int RunCustomKeyDialog(int keyCode, const std::u16string& keyName, int profileId, int kind) = 0;
  /// Asks for a file; the answer arrives later on the UI thread (never for an abandoned request).
  virtual void AskFile(ZephUI::FileChooserRequest request, ZephUI::FileChooser::AnswerHandler onAnswer) = 0;
  /// The main window (owner of menus and dialogs).
  virtual ZephUI::HWND Window() const = 0;
};
