// The main window's side of the macro page: the services' store and key
// filter, the key page's picture, the program's message boxes, the file
// chooser of the window's thread, the frame's tab strip, and the hook
// recording runs on, chosen when recording starts.
#pragma once

#include <memory>

#include "mainwindow/macropage/MacroPageHost.h"

class EvdevDiscovery;
class KeyboardDlg;

class WindowMacroHost : public MacroPageHost {
 public:
  /// Serves the page of `window`, which must outlive it.
  explicit WindowMacroHost(KeyboardDlg& window);
  ~WindowMacroHost() override;

  ProfileStore& Store() override;
  void ProgramKeyFilter() override;
  void ShowKeyAssignments() override;
  void ShowMessage(const std::u16string& text, const std::u16string& title) override;
  void ShowSystemMessage(const std::u16string& text, const std::u16string& caption) override;
  bool ContainsForbiddenWord(std::u16string_view name) const override;
  void AskFile(ZephUI::FileChooserRequest request, ZephUI::FileChooser::AnswerHandler onAnswer) override;
  ZephUI::HWND Window() const override;
  void SetTabStripInput(TabStripInput input) override;
  /// The keyboard grab on X11; else the evdev hook.
  std::unique_ptr<KeyboardHook> MakeRecordingHook() override;

 private:
  KeyboardDlg& window_;
  std::unique_ptr<EvdevDiscovery> keyboards_;     // made on first evdev recording
};
