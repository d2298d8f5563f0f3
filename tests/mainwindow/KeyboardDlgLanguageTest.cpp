// The main window's texts on the headless window system with the simulated
// T40: a language chosen on the settings page (and message 2022 after a
// change made elsewhere) re-labels the frame, the pages and the profile
// names; the tray menu's close-behaviour command asks again and the close
// button's tooltip follows the answer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/LanguageText.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/AddressOpener.h"
#include "mainwindow/KeyboardDlg.h"
#include "mainwindow/keypage/KeyPage.h"
#include "mainwindow/keypage/ProfileList.h"
#include "mainwindow/lightpage/LightPageIds.h"
#include "mainwindow/macropage/MacroPageIds.h"
#include "mainwindow/settingspage/SettingsPage.h"
#include "store/ProfileStore.h"
#include "tests/fakes/FakeEvdevDiscovery.h"
#include "tests/fakes/FakeHotplugSource.h"
#include "tests/fakes/FakeVirtualHidBackend.h"
#include "tests/mainwindow/FakeClock.h"
#include "tests/sim/Bus.h"
#include "tests/sim/FamilyBFirmware.h"
#include "tests/support/TempFolder.h"
#include "zephui/Backend.h"
#include "zephui/DListBox.h"
#include "zephui/Headless.h"
#include "zephui/MComboBox.h"
#include "zephui/MDialog.h"
#include "zephui/MControlFont.h"
#include "zephui/MTabCtrl.h"
#include "zephui/Message.h"
#include "zephui/TabItemInfo.h"
#include "zephui/Window.h"
#include "tests/mainwindow/TestWindowParts.h"

using namespace ZephUI;

namespace {

constexpr char kT40Path[] = "/sys/devices/usb1/1-1/1-1:1.1/0003:1209:0001.0001/hidraw/hidraw0";
constexpr int kEnglish = 1033;
constexpr int kChinese = 2052;

std::u16string TextIn(int language, int number) {
  return ReadLanguageText(GetModuleFolder(), language, kDialogSection, number);
}

class NoOpener : public AddressOpener {
 public:
  void Open(const std::string&) override {}
};

class KeyboardDlgTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SelectBackend(BackendKind::Headless));
    Headless::Reset();
    Headless::SetClockMode(Headless::ClockMode::AutoAdvance);
    SetLanguageId(kEnglish);
    hidsim::Bus::Instance().Reset();
    virtualDevice_ = std::make_unique<VHidev>(std::make_unique<FakeVirtualHidBackend>());
    virtualDevice_->openVirtualDevice();
    ASSERT_TRUE(PrepareDatabaseFolder());
    KeyboardDlgParts parts = TestWindowParts(clock_, hotplug_, filterDevices_, *virtualDevice_, &opener_,
                                               [this](int code) { exitCode_ = code; });
    window_ = std::make_unique<KeyboardDlg>(std::move(parts));
    ASSERT_NE(window_->Create(nullptr, u"Pelmora keyboard T40", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    ShowWindow(Hwnd(), SW_SHOW);
    hidsim::Bus::Instance().PlugKeyboard(0x1209, 0x0001, std::make_shared<hidsim::FamilyBFirmware>());
    hotplug_.Notify(DeviceEvent::Arrival, kT40Path);
    for (int step = 0; step < 12; ++step) {
      Headless::Pump();
      window_->Services().StepWorker();
    }
    Headless::Pump();
    ASSERT_TRUE(window_->IsDevicePresentView());
  }
  void TearDown() override {
    window_.reset();
    Headless::Reset();
    hidsim::Bus::Instance().Reset();
    SetLanguageId(kEnglish);
  }

  HWND Hwnd() const { return window_->GetSafeHwnd(); }
  std::u16string Tooltip(std::uint32_t id) const { return window_->GetControl(id)->GetTooltip(); }
  // The title of a control on one of the pages.
  std::u16string PageText(std::uint32_t page, std::uint32_t id) const {
    const auto* control = dynamic_cast<MControlFont*>(window_->GetControl(page)->GetControl(id));
    return control != nullptr ? control->GetTitle() : u"<missing>";
  }

  // With PELMORA_SCREENSHOT_DIR set, the window as it is drawn now goes into that folder.
  void Photograph(const char* name) {
    const char* folder = std::getenv("PELMORA_SCREENSHOT_DIR");
    if (folder == nullptr) return;
    // Paints are paced: let the window present what it shows now.
    InvalidateRect(Hwnd(), nullptr);
    Headless::RunFor(200);
    EXPECT_TRUE(Headless::WritePng(Hwnd(), std::string(folder) + "/" + name));
  }

  // Every text the refresh sets, sampled from the frame and each page, as the language file has it.
  void ExpectTextsIn(int language, int closeText) {
    MainFrame& frame = window_->Frame();
    MTabCtrl* tabs = frame.TabStrip();
    constexpr std::pair<int, int> kTabTexts[] = {{1, 51}, {2, 52}, {3, 53}, {4, 55}, {5, 56}};
    for (int index = 0; index < tabs->GetItemCount(); ++index) {
      int text = 50;
      for (const auto& [id, number] : kTabTexts) text = index > 0 && tabs->GetItemID(index) == id ? number : text;
      EXPECT_EQ(tabs->GetItemInfo(index)->title, TextIn(language, text)) << "tab " << index;
    }
    EXPECT_EQ(frame.CaptionText(), TextIn(language, 51));
    EXPECT_EQ(Tooltip(FrameId::kClose), TextIn(language, closeText));
    EXPECT_EQ(Tooltip(FrameId::kMinimise), TextIn(language, 2));
    EXPECT_EQ(Tooltip(FrameId::kWebsite), TextIn(language, 5));
    EXPECT_EQ(frame.StatusText(), TextIn(language, 60));
    EXPECT_EQ(PageText(KeyPageId::kPage, KeyPageId::kPicture), TextIn(language, 304));
    EXPECT_EQ(PageText(LightId::kPage, 74), TextIn(language, 82));
    EXPECT_EQ(PageText(MacroPageId::kPage, MacroPageId::kStartRecording), TextIn(language, 321));
    const auto* where =
        dynamic_cast<MComboBox*>(window_->GetControl(MacroPageId::kPage)->GetControl(MacroPageId::kInsertWhere));
    ASSERT_NE(where, nullptr);
    EXPECT_EQ(where->GetItemText(1), TextIn(language, 303));
    EXPECT_EQ(PageText(SettingsId::kPage, SettingsId::kLanguageLabel), TextIn(language, 150));
  }

  // Each profile row as shown against its stored name; returns how many stored names begin with "Profile".
  int ExpectProfileNamesIn(int language) {
    DListBox* list = window_->KeysPage()->Profiles().List();
    int translated = 0;
    for (int row = 0; row < list->GetItemCount(); ++row) {
      std::u16string stored;
      EXPECT_TRUE(window_->Services().Store().GetProfileName(list->GetItemData(row), stored));
      std::u16string shown = stored;
      if (language == kChinese && stored.starts_with(u"Profile")) {
        shown = TextIn(kChinese, 65) + stored.substr(7);
        ++translated;
      }
      EXPECT_EQ(list->GetItemText(row), shown) << "row " << row;
    }
    return translated;
  }

  testsupport::TempUserEnvironment environment_{u"Pelmora keyboard T40"};
  FakeClock clock_;
  FakeHotplugSource hotplug_;
  FakeEvdevDiscovery filterDevices_;
  std::unique_ptr<VHidev> virtualDevice_;
  NoOpener opener_;
  int exitCode_ = -1;
  std::unique_ptr<KeyboardDlg> window_;
};

TEST_F(KeyboardDlgTexts, ChoosingChineseRelabelsEverythingAndMessage2022BringsEnglishBack) {
  // The samples must differ between the files, or the test could not see a missed refresh.
  for (const int number : {2, 5, 50, 51, 52, 53, 56, 60, 82, 150, 172, 303, 304, 321}) {
    ASSERT_NE(TextIn(kChinese, number), TextIn(kEnglish, number)) << number;
  }
  WriteSettingString("exit_mode", u"2");
  ExpectTextsIn(kEnglish, 171);  // the tooltip was set when the window was built

  auto* languages = dynamic_cast<MComboBox*>(window_->GetControl(SettingsId::kPage)->GetControl(SettingsId::kLanguage));
  ASSERT_NE(languages, nullptr);
  languages->SelectData(kChinese);
  window_->OnMessage(SettingsId::kLanguage, NOTIFY_CLICKED, 0, 0);
  ASSERT_EQ(GetLanguageId(), kChinese);
  ExpectTextsIn(kChinese, 172);
  EXPECT_GE(ExpectProfileNamesIn(kChinese), 1);
  Photograph("main-window-chinese.png");

  // Another program changed the language and tells the window.
  SetLanguageId(kEnglish);
  SendMessage(Hwnd(), KbMessage::kLanguage, 0, 0);
  ExpectTextsIn(kEnglish, 172);
  ExpectProfileNamesIn(kEnglish);
}

// Answers the close-behaviour dialog from inside its modal loop with the option `g_option` (1 hide, 2 end).
int g_option = 0;
bool g_popupWhileAsking = false;
void AnswerCloseDialog(HWND hwnd, UINT, std::uintptr_t id, std::uint32_t) {
  const HWND dialog = FindWindow(u"ZephClient", u"CloseWindowTipDlg");
  if (dialog == nullptr) return;
  KillTimer(hwnd, id);
  g_popupWhileAsking = FindWindow(u"ZephClient", u"CustomKeyDlg") != nullptr;
  Headless::ClickClient(dialog, 60, g_option == 2 ? 110 : 75);
  Headless::ClickClient(dialog, 360 - 70, 200 - 35);
}

TEST_F(KeyboardDlgTexts, TheCloseBehaviourCommandClosesPopupsAsksAndTheCloseTooltipFollows) {
  ASSERT_EQ(Tooltip(FrameId::kClose), TextIn(kEnglish, 171));
  // The tray menu's first row.
  ASSERT_TRUE(Headless::ClickTrayIcon(Hwnd(), Headless::Button::Right));
  Headless::Pump();
  const HWND menu = FindWindow(u"", u"Menu Window");
  ASSERT_NE(menu, nullptr);
  g_option = 2;
  SetTimer(Hwnd(), 79, 20, &AnswerCloseDialog);
  Headless::ClickClient(menu, 40, 6 + 17);
  Headless::Pump();
  EXPECT_EQ(ReadSettingInt("exit_mode"), 2);
  EXPECT_EQ(Tooltip(FrameId::kClose), TextIn(kEnglish, 172));
  EXPECT_EQ(FindWindow(u"ZephClient", u"CloseWindowTipDlg"), nullptr);

  // The command arriving while another of the program's popups is open: it goes before the question.
  MDialog keyDialog;
  ASSERT_NE(keyDialog.Create(Hwnd(), u"CustomKeyDlg", 0x96000000, 0, Rect{0, 0, 300, 200}), nullptr);
  keyDialog.ShowWindow(SW_SHOW);
  Headless::Pump();
  ASSERT_NE(FindWindow(u"ZephClient", u"CustomKeyDlg"), nullptr);
  g_option = 1;
  g_popupWhileAsking = true;
  SetTimer(Hwnd(), 79, 20, &AnswerCloseDialog);
  PostMessage(Hwnd(), WM_COMMAND, TrayCommand::kCloseBehaviour, 0);
  Headless::Pump();
  EXPECT_FALSE(g_popupWhileAsking);
  EXPECT_EQ(ReadSettingInt("exit_mode"), 1);
  EXPECT_EQ(Tooltip(FrameId::kClose), TextIn(kEnglish, 171));
  EXPECT_EQ(exitCode_, -1);
  EXPECT_TRUE(IsWindowVisible(Hwnd()));
}

}  // namespace
