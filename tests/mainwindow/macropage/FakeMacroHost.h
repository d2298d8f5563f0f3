// A macro page host for the page's tests: a real store in a temporary folder,
// message boxes that remember what they showed, a file chooser answering with
// a path the test names, and recording through the keyboard grab of the headless window system.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "mainwindow/ForbiddenWords.h"
#include "mainwindow/macropage/GrabKeyboardHook.h"
#include "mainwindow/macropage/MacroPageHost.h"
#include "mainwindow/macropage/MacroPageIds.h"
#include "store/ProfileStore.h"

class FakeMacroHost : public MacroPageHost {
 public:
  ProfileStore& Store() override { return store; }
  void ProgramKeyFilter() override { ++programmed; }
  void ShowKeyAssignments() override { ++keyViews; }
  void ShowMessage(const std::u16string& text, const std::u16string&) override { messages.push_back(text); }
  void ShowSystemMessage(const std::u16string& text, const std::u16string&) override { systemMessages.push_back(text); }
  bool ContainsForbiddenWord(std::u16string_view name) const override { return words.Contains(name); }
  void AskFile(ZephUI::FileChooserRequest, ZephUI::FileChooser::AnswerHandler onAnswer) override {
    onAnswer(ZephUI::FileChooserAnswer{ZephUI::FileChooserOutcome::Chosen, chosenPath,
                                       ZephUI::FileChooserRoute::OwnDialog});
  }
  ZephUI::HWND Window() const override { return window; }
  void SetTabStripInput(TabStripInput input) override { tabs = input; }
  std::unique_ptr<KeyboardHook> MakeRecordingHook() override {
    return std::make_unique<GrabKeyboardHook>(window, MacroPageMessage::kHookKey);
  }

  ProfileStore store;
  ForbiddenWords words;
  ZephUI::HWND window = nullptr;
  std::string chosenPath;
  TabStripInput tabs = TabStripInput::Enabled;
  int programmed = 0;
  int keyViews = 0;
  std::vector<std::u16string> messages;
  std::vector<std::u16string> systemMessages;
};
