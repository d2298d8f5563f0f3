// The settings page on the headless window system: the language list built
// from the language files present and the refresh a choice runs, start at
// login, the factory reset (family B only, its question and what it clears),
// the profile reset, and the update buttons with and without a newer version.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "mainwindow/settingspage/SettingsPage.h"
#include "mainwindow/settingspage/SettingsPageHost.h"
#include "tests/support/TempFolder.h"
#include "zephui/Backend.h"
#include "zephui/ControlTypes.h"
#include "zephui/Headless.h"
#include "zephui/MButton.h"
#include "zephui/MCheckTypeButton.h"
#include "zephui/MComboBox.h"
#include "zephui/MDialog.h"
#include "zephui/UpgradeButton.h"
#include "zephui/Window.h"
#include "tests/mainwindow/HeadlessPageStart.h"

using namespace ZephUI;

namespace {

std::u16string Text(int number) { return GetLanguageText(kDialogSection, number); }

class FakeSettingsHost : public SettingsPageHost {
 public:
  int Ask(const std::u16string& text, const std::u16string&, BoxStyle) override {
    asked.push_back(text);
    return answer;
  }
  void QueueJob(JobCode code, WaitDialog wait) override { jobs.emplace_back(code, wait); }
  void RefreshLanguage() override { refreshedIn.push_back(GetLanguageId()); }
  std::string ProgramFolder() const override { return folder; }
  int DeviceType() const override { return deviceType; }
  bool RecreateStore() override {
    ++recreated;
    return storeCanBeRecreated;
  }
  void ResetCurrentProfileKeys() override { ++profileResets; }
  void SelectFirstCustomSet() override { ++firstSetSelections; }

  int answer = 1;
  std::string folder;
  int deviceType = 201;
  bool storeCanBeRecreated = true;
  int recreated = 0;
  int profileResets = 0;
  int firstSetSelections = 0;
  std::vector<std::u16string> asked;
  std::vector<std::pair<JobCode, WaitDialog>> jobs;
  std::vector<int> refreshedIn;
};

class PageWindow : public MDialog {
 public:
  explicit PageWindow(SettingsPage& page) : page_(page) {}
  void InitUI(const Rect& client) override {
    CreateControl(u"MTabLayout", SettingsId::kPage, Rect{80, 50, client.Width() - 1, client.Height() - 1}, u"", true,
                  true);
    page_.Build(*this, client);
  }
  LRESULT OnMessage(std::uint32_t id, UINT msg, WPARAM, LPARAM) override { return page_.OnNotify(id, msg).value_or(0); }

 private:
  SettingsPage& page_;
};

class SettingsPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartHeadlessPage();
    if (HasFatalFailure()) return;
    ReadLanguageId();  // the first read creates the settings file, as the program's start does
    // A program folder with two language files and two files that are not languages.
    host_.folder = program_.Path();
    std::filesystem::create_directories(program_.Path() + "language");
    for (const char* name : {"1033.lan", "2052.lan", "readme.txt", "x1.lan"}) {
      std::filesystem::copy_file(GetModuleFolder() + "language/" + (name[0] == 'x' || name[0] == 'r' ? "1033.lan" : name),
                                 program_.Path() + "language/" + name);
    }
  }
  void TearDown() override {
    window_.reset();
    SetLanguageId(1033);
    Headless::Reset();
  }
  void Open() {
    page_ = std::make_unique<SettingsPage>(host_);
    window_ = std::make_unique<PageWindow>(*page_);
    ASSERT_NE(window_->Create(nullptr, u"Settings", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    ShowWindow(window_->GetSafeHwnd(), SW_SHOW);
    page_->Load();
    Headless::Pump();
  }
  void Click(std::uint32_t id) {
    const Rect at = page_->Get<MControl>(id)->GetRect();
    Headless::AdvanceClock(1000);
    Headless::ClickClient(window_->GetSafeHwnd(), (at.left + at.right) / 2, (at.top + at.bottom) / 2);
    Headless::Pump();
  }

  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  testsupport::TempFolder program_;
  FakeSettingsHost host_;
  std::unique_ptr<SettingsPage> page_;
  std::unique_ptr<PageWindow> window_;
};

TEST_F(SettingsPageTest, EveryLanguageFileIsOfferedAndChoosingOneSavesItAndRefreshesOnce) {
  Open();
  auto* list = page_->Get<MComboBox>(SettingsId::kLanguage);
  ASSERT_EQ(list->GetCount(), 2);
  EXPECT_EQ(list->GetItemText(0), u"English");
  EXPECT_EQ(list->GetCurData(), 1033);

  list->SelectData(2052);
  page_->OnNotify(SettingsId::kLanguage, NOTIFY_CLICKED);
  EXPECT_EQ(host_.refreshedIn, std::vector<int>{2052});
  EXPECT_EQ(ReadLanguageId(), 2052);

  // Choosing the same language again still refreshes.
  page_->OnNotify(SettingsId::kLanguage, NOTIFY_CLICKED);
  EXPECT_EQ(host_.refreshedIn.size(), 2U);
  page_->RefreshTexts();
  EXPECT_EQ(page_->Get<MButton>(SettingsId::kFactoryReset)->GetTitle(), Text(153));
}

TEST_F(SettingsPageTest, StartAtLoginWritesAndRemovesTheAutostartEntry) {
  Open();
  Click(SettingsId::kStartAtLogin);
  EXPECT_TRUE(std::filesystem::exists(AutoRunFilePath()));
  Click(SettingsId::kStartAtLogin);
  EXPECT_FALSE(std::filesystem::exists(AutoRunFilePath()));
}

TEST_F(SettingsPageTest, FactoryResetIsOfferedForFamilyBAndClearsWhatItMust) {
  host_.deviceType = 101;
  Open();
  EXPECT_FALSE(page_->Get<MControl>(SettingsId::kFactoryReset)->IsVisible());
  host_.deviceType = 201;
  page_->Load();
  ASSERT_TRUE(page_->Get<MControl>(SettingsId::kFactoryReset)->IsVisible());

  SetAutoRun(true);
  WriteSettingString("exit_mode", u"2");
  host_.answer = 2;
  Click(SettingsId::kFactoryReset);
  EXPECT_EQ(host_.asked, std::vector<std::u16string>{Text(167)});
  EXPECT_TRUE(IsAutoRunSet()) << "a cancelled question changes nothing";
  EXPECT_EQ(host_.recreated, 0);

  host_.answer = 1;
  Click(SettingsId::kFactoryReset);
  EXPECT_EQ(ReadSettingInt("exit_mode"), 0);
  EXPECT_FALSE(IsAutoRunSet());
  EXPECT_FALSE(page_->Get<MCheckTypeButton>(SettingsId::kStartAtLogin)->GetCheck());
  EXPECT_EQ(host_.recreated, 1);
  EXPECT_EQ(host_.firstSetSelections, 1);
  EXPECT_EQ(host_.jobs, (std::vector<std::pair<JobCode, WaitDialog>>{{JobCode::JOB_FACTORY_RESET, WaitDialog::Show}}));

  // Without a keyboard entry the store is left and no job is queued.
  host_.storeCanBeRecreated = false;
  Click(SettingsId::kFactoryReset);
  EXPECT_EQ(host_.jobs.size(), 1U);
}

TEST_F(SettingsPageTest, UpdateButtonsAskOrInstallByTheirBadge) {
  Open();
  Click(SettingsId::kSoftwareUpdate);
  EXPECT_EQ(host_.asked, std::vector<std::u16string>{Text(175)});
  EXPECT_TRUE(host_.jobs.empty());

  host_.answer = 2;
  Click(SettingsId::kFirmwareUpdate);
  EXPECT_EQ(host_.asked.back(), Text(177));
  EXPECT_TRUE(host_.jobs.empty());

  page_->ShowUpgradeMarkers(true, true);
  host_.answer = 1;
  Click(SettingsId::kSoftwareUpdate);
  Click(SettingsId::kFirmwareUpdate);
  EXPECT_EQ(host_.asked.back(), Text(176));
  EXPECT_EQ(host_.jobs, (std::vector<std::pair<JobCode, WaitDialog>>{{JobCode::JOB_INSTALL_SOFTWARE, WaitDialog::None},
                                                                    {JobCode::JOB_UPDATE_FIRMWARE, WaitDialog::None}}));
  page_->ShowDownloadProgress(40);
  EXPECT_TRUE(page_->Get<MControl>(SettingsId::kProgress)->IsVisible());
  page_->ShowDownloadProgress(100);
  EXPECT_FALSE(page_->Get<MControl>(SettingsId::kProgress)->IsVisible());
}

TEST_F(SettingsPageTest, ProfileResetAsksFirst) {
  Open();
  host_.answer = 2;
  Click(SettingsId::kResetProfile);
  EXPECT_EQ(host_.profileResets, 0);
  host_.answer = 1;
  Click(SettingsId::kResetProfile);
  EXPECT_EQ(host_.asked.back(), Text(165));
  EXPECT_EQ(host_.profileResets, 1);
  EXPECT_EQ(host_.firstSetSelections, 1);
}

}  // namespace
