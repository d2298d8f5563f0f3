// A key page host for the page's tests: a real store in a temporary folder,
// message boxes that answer as the test says and remember what they showed,
// and a file chooser that answers with a path the test names.
#pragma once

#include <string>
#include <vector>

#include "mainwindow/ForbiddenWords.h"
#include "mainwindow/keypage/KeyPageHost.h"
#include "store/ProfileStore.h"

class FakePageHost : public KeyPageHost {
 public:
  ProfileStore& Store() override { return store; }
  void ProgramKeyFilter(int profile) override { programmed.push_back(profile); }
  void QueueApplyKeysAndWait() override { ++keyJobs; }
  int ShowMessage(const std::u16string& text, const std::u16string&, BoxStyle) override {
    messages.push_back(text);
    return answer;
  }
  void ShowSystemMessage(const std::u16string& text, const std::u16string&) override { systemMessages.push_back(text); }
  bool ContainsForbiddenWord(std::u16string_view name) const override { return words.Contains(name); }
  int CurrentProfile() const override { return current; }
  void SetCurrentProfile(int profileId) override { current = profileId; }
  int RunCustomKeyDialog(int, const std::u16string&, int, int kind) override {
    dialogKinds.push_back(kind);
    return 0;
  }
  void AskFile(ZephUI::FileChooserRequest request, ZephUI::FileChooser::AnswerHandler onAnswer) override {
    requests.push_back(request);
    onAnswer(ZephUI::FileChooserAnswer{ZephUI::FileChooserOutcome::Chosen, chosenPath,
                                       ZephUI::FileChooserRoute::OwnDialog});
  }
  ZephUI::HWND Window() const override { return window; }

  ProfileStore store;
  ForbiddenWords words;
  int current = 0;
  int answer = 1;
  int keyJobs = 0;
  std::string chosenPath;
  ZephUI::HWND window = nullptr;
  std::vector<int> programmed;
  std::vector<int> dialogKinds;
  std::vector<std::u16string> messages;
  std::vector<std::u16string> systemMessages;
  std::vector<ZephUI::FileChooserRequest> requests;
};
