// The key customisation page on the headless window system with a real store:
// which keys and picks are refused, the 64-assignment limit, restoring,
// tooltips by kind, the Chinese display rules, the profile list's rules, the
// custom key dialog's saves, the exchange files and the special key runner.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/LanguageText.h"
#include "device/KeyCodes.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/keypage/CustomKeyDlg.h"
#include "mainwindow/keypage/KeyPage.h"
#include "mainwindow/keypage/ProfileList.h"
#include "mainwindow/keypage/SpecialKeyRunner.h"
#include "tests/fakes/FakeVirtualHidBackend.h"
#include "tests/mainwindow/keypage/FakePageHost.h"
#include "tests/support/TempFolder.h"
#include "zephui/Backend.h"
#include "zephui/CCheckButton.h"
#include "zephui/ControlTypes.h"
#include "zephui/DListBox.h"
#include "zephui/Headless.h"
#include "zephui/KeyFuncControl.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MComboBox.h"
#include "zephui/MDialog.h"
#include "zephui/MEdit.h"
#include "zephui/Message.h"
#include "zephui/Text.h"
#include "zephui/Window.h"
#include "tests/mainwindow/HeadlessPageStart.h"

using namespace ZephUI;

namespace {

constexpr int kKeyA = 0x104;
constexpr int kKeyB = 0x105;
constexpr int kEscItem = 18;  // the first key item, after the 18 media items

std::u16string Text(int number) { return GetLanguageText(kDialogSection, number); }

// A window holding layout 51 and the page, passing the page's notices on as the main window does.
class PageWindow : public MDialog {
 public:
  explicit PageWindow(KeyPage& page) : page_(page) {}
  void InitUI(const Rect& client) override {
    CreateControl(u"MTabLayout", KeyPageId::kPage, Rect{80, 50, client.Width() - 1, client.Height() - 1}, u"", true,
                  true);
    page_.Build(*this, client);
    page_.SetPicture(Rect{335, 105, 1265, 385}, u"keyboard/T40.png", 930, 280);
    for (int code : {kKeyA, kKeyB, 175, 255}) {
      const int left = (code & 0xFF) * 3;
      page_.AddPictureKey(LayoutKey{code, u"K", u"Key", Rect{left, 20, left + 30, 50}});
    }
  }
  LRESULT OnMessage(std::uint32_t id, UINT msg, WPARAM wParam, LPARAM lParam) override {
    return page_.OnNotify(id, msg, wParam, lParam).value_or(0);
  }

 private:
  KeyPage& page_;
};

class KeyPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartHeadlessPage();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(OpenTestDatabase(host_.store, folder_.Path()));
    host_.words.Fill();
    page_ = std::make_unique<KeyPage>(host_);
    window_ = std::make_unique<PageWindow>(*page_);
    ASSERT_NE(window_->Create(nullptr, u"Keys", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    ShowWindow(window_->GetSafeHwnd(), SW_SHOW);
    host_.window = window_->GetSafeHwnd();
    page_->Load();
    Headless::Pump();
  }
  void TearDown() override {
    window_.reset();
    SetLanguageId(1033);
    Headless::Reset();
  }

  void ChooseKey(int code, UINT notice = NOTIFY_CLICKED) { page_->OnNotify(KeyPageId::kPicture, notice, 0, code); }
  // Presses picker item `index` with the mouse.
  void Pick(int index) {
    KeyFuncControl* picker = page_->Picker();
    const Rect item = picker->GetItemRect(index);
    const Rect at = picker->GetRect();
    Headless::AdvanceClock(1000);  // each pick is its own click, never half of a double click
    Headless::ClickClient(window_->GetSafeHwnd(), at.left + (item.left + item.right) / 2,
                          at.top + (item.top + item.bottom) / 2);
    Headless::Pump();
  }
  std::vector<KeyAssignmentRecord> Rows(int profile) {
    std::vector<KeyAssignmentRecord> rows;
    host_.store.ListKeyAssignments(profile, 0, rows);
    return rows;
  }
  void Store(int key, AssignmentType kind, int value, std::u16string description = u"") {
    KeyAssignmentRecord row;
    row.profile = host_.current;
    row.keyCode = key;
    row.macroType = static_cast<int>(kind);
    row.macroValue = value;
    row.description = std::move(description);
    ASSERT_GT(host_.store.SaveKeyAssignment(row), 0);
  }
  const KEY_INFO* Key(int code) const {
    for (const KEY_INFO* key : page_->Picture()->GetKeyItems()) {
      if (key->keyValue == static_cast<std::uint32_t>(code)) return key;
    }
    return nullptr;
  }
  // Fills the current profile up to `count` counted assignments on keys other than A and B.
  void FillCounted(int count) {
    for (int i = 0; i < count; ++i) Store(0x200 + i, AssignmentType::Key, 4);
  }

  testsupport::TempFolder folder_;
  FakePageHost host_;
  std::unique_ptr<KeyPage> page_;
  std::unique_ptr<PageWindow> window_;
};

TEST_F(KeyPageTest, RefusedKeysAndPicksChangeNothing) {
  ChooseKey(175, NOTIFY_RCLICK);
  ASSERT_EQ(host_.messages, std::vector<std::u16string>{Text(365)});
  EXPECT_EQ(FindWindow(u"ZephClient", u"Menu Window"), nullptr);

  ChooseKey(255);
  Pick(kEscItem);
  EXPECT_EQ(host_.messages.size(), 2U);
  EXPECT_TRUE(Rows(host_.current).empty());
  EXPECT_TRUE(host_.programmed.empty());

  ChooseKey(kKeyA);
  Pick(kEscItem);
  const auto rows = Rows(host_.current);
  ASSERT_EQ(rows.size(), 1U);
  EXPECT_EQ(rows[0].macroType, static_cast<int>(AssignmentType::Key));
  EXPECT_EQ(rows[0].macroValue, 41);
  EXPECT_EQ(Key(kKeyA)->check, 1);
  EXPECT_EQ(Key(kKeyA)->tipTitle, Text(205));
  EXPECT_EQ(page_->Picker()->GetCheckedItem(), kEscItem);
  EXPECT_EQ(host_.programmed, std::vector<int>{host_.current});
}

TEST_F(KeyPageTest, TheLimitIsTestedBeforePickerAndDialogAndAfterDisabling) {
  FillCounted(63);
  Store(0x300, AssignmentType::MouseFunction, 1);  // not counted
  ChooseKey(kKeyA);
  Pick(kEscItem);
  EXPECT_EQ(page_->CountedAssignments(host_.current), 64);
  EXPECT_TRUE(host_.messages.empty());

  ChooseKey(kKeyB);
  Pick(kEscItem);
  EXPECT_EQ(host_.messages, std::vector<std::u16string>{Text(371)});
  EXPECT_EQ(page_->CountedAssignments(host_.current), 64);

  EXPECT_EQ(page_->OnKeyMenu(KeyMenuItem::kMacro), 0);
  EXPECT_EQ(page_->OnKeyMenu(KeyMenuItem::kShortcut), 0);
  EXPECT_TRUE(host_.dialogKinds.empty());

  EXPECT_EQ(page_->OnKeyMenu(KeyMenuItem::kDisable), 0);  // stored, then the limit is shown
  KeyAssignmentRecord disabled;
  ASSERT_TRUE(host_.store.ReadKeyAssignment(host_.current, 0, kKeyB, disabled));
  EXPECT_EQ(disabled.macroType, static_cast<int>(AssignmentType::Disabled));
  EXPECT_EQ(disabled.macroValue, 1);
  EXPECT_EQ(host_.messages.size(), 4U);
}

TEST_F(KeyPageTest, RestoringStoresNothingUnmarksTheKeyAndStillProgramsTheFilter) {
  ChooseKey(kKeyA);
  page_->OnKeyMenu(KeyMenuItem::kRestore);
  EXPECT_TRUE(Rows(host_.current).empty());
  EXPECT_EQ(Key(kKeyA)->check, 0);
  EXPECT_EQ(host_.programmed.size(), 1U);

  Pick(kEscItem);
  page_->OnKeyMenu(KeyMenuItem::kRestore);
  EXPECT_TRUE(Rows(host_.current).empty());
  EXPECT_EQ(Key(kKeyA)->check, 0);
  EXPECT_TRUE(Key(kKeyA)->tipTitle.empty());
  EXPECT_EQ(page_->Picker()->GetCheckedItem(), -1);
}

TEST_F(KeyPageTest, TooltipsFollowTheKindAndChineseShowsTranslatedMacroNames) {
  Store(kKeyA, AssignmentType::MouseFunction, 3);
  Store(kKeyB, AssignmentType::Shortcut, 2);
  Store(175, AssignmentType::Macro, 9, u"Macro 3");
  Store(255, AssignmentType::SwitchProfile, 5, u"Profile 2");
  page_->ShowAssignments(host_.current);
  EXPECT_EQ(Key(kKeyA)->tipTitle, Text(207));
  EXPECT_EQ(Key(kKeyA)->tipText, Text(223));
  EXPECT_EQ(Key(kKeyB)->tipText, Text(702));
  EXPECT_EQ(Key(175)->tipText, u"Macro 3");
  EXPECT_TRUE(Key(255)->tipTitle.empty());
  EXPECT_EQ(Key(255)->check, 1);

  SetLanguageId(2052);
  page_->RefreshTexts();
  EXPECT_EQ(Key(175)->tipText, Text(331) + u" 3");
  EXPECT_EQ(Key(kKeyB)->tipText, Text(702));
  EXPECT_NE(Text(331), u"Macro");
}

TEST_F(KeyPageTest, TheProfileListNamesAddsAndDeletesAsTheUserExpects) {
  DListBox* list = page_->Profiles().List();
  ASSERT_EQ(list->GetItemCount(), 3);
  EXPECT_EQ(list->GetItemText(2), Text(65) + u" 3");
  EXPECT_EQ(host_.current, list->GetItemData(0));
  EXPECT_EQ(host_.store.GetActiveProfile(), host_.current);

  // Names fill the first gap.
  list->SetCurSel(1);
  page_->Profiles().Delete();
  EXPECT_EQ(host_.current, list->GetItemData(0));  // the one before became current
  EXPECT_EQ(host_.keyJobs, 1);
  page_->Profiles().Add();
  EXPECT_EQ(list->GetItemText(2), Text(65) + u" 2");
  EXPECT_EQ(host_.current, list->GetItemData(2));

  // Deleting the first makes the new first current; "No" keeps everything.
  list->SetCurSel(0);
  host_.answer = 2;
  page_->Profiles().Delete();
  EXPECT_EQ(list->GetItemCount(), 3);
  host_.answer = 1;
  page_->Profiles().Delete();
  EXPECT_EQ(list->GetItemCount(), 2);
  EXPECT_EQ(host_.current, list->GetItemData(0));
  const int current = host_.current;
  page_->SwitchToProfile(list->GetItemData(1) + 100);  // a switch key naming a deleted profile
  EXPECT_EQ(host_.current, current);
  std::vector<ProfileRecord> stored;
  EXPECT_EQ(host_.store.ListProfiles(stored), 2);

  while (list->GetItemCount() < ProfileList::kProfileLimit) page_->Profiles().Add();
  host_.messages.clear();
  EXPECT_EQ(page_->Profiles().Add(), 0);
  EXPECT_EQ(host_.messages, std::vector<std::u16string>{Text(295)});
  EXPECT_EQ(host_.store.ListProfiles(stored), ProfileList::kProfileLimit);
}

TEST_F(KeyPageTest, TheOnlyProfileIsNotDeleted) {
  DListBox* list = page_->Profiles().List();
  for (int i = 0; i < 2; ++i) {
    list->SetCurSel(0);
    page_->Profiles().Delete();
  }
  list->SetCurSel(0);
  EXPECT_EQ(page_->Profiles().Delete(), 0);
  EXPECT_EQ(list->GetItemCount(), 1);
  EXPECT_TRUE(host_.messages.size() == 2U);
}

TEST_F(KeyPageTest, RenamingRefusesForbiddenAndEmptyNamesAndKeepsListAndStoreTogether) {
  DListBox* list = page_->Profiles().List();
  list->SetCurSel(1);
  const int id = list->GetItemData(1);
  std::u16string stored;
  for (const std::u16string& bad : {std::u16string(u"My SHIT keys"), std::u16string()}) {
    list->ModifyItemString(1, bad);
    EXPECT_EQ(page_->Profiles().EndRename(), 0);
    ASSERT_TRUE(host_.store.GetProfileName(id, stored));
    EXPECT_EQ(list->GetItemText(1), stored);
  }
  EXPECT_EQ(host_.messages, (std::vector<std::u16string>{Text(330), Text(330)}));
  list->ModifyItemString(1, u"Games");
  EXPECT_EQ(page_->Profiles().EndRename(), 1);
  ASSERT_TRUE(host_.store.GetProfileName(id, stored));
  EXPECT_EQ(stored, u"Games");

  // Chinese shows the translated word; English shows the stored name again.
  host_.store.RenameProfile(id, u"Profile 2");
  SetLanguageId(2052);
  page_->RefreshTexts();
  EXPECT_EQ(list->GetItemText(1), Text(65) + u" 2");
  SetLanguageId(1033);
  page_->RefreshTexts();
  EXPECT_EQ(list->GetItemText(1), u"Profile 2");
}

TEST_F(KeyPageTest, TheCustomKeyDialogSavesEachKindOrKeepsAnIncompleteChoice) {
  const int profile = host_.current;
  const int empty = host_.store.AddMacro(u"Empty");
  CustomKeyDlg macroDialog(host_, kKeyA, u"A", profile, 3);
  ASSERT_NE(macroDialog.Create(host_.window, u"CustomKeyDlg", 0x96020000, 0, Rect{0, 0, 660, 360}), nullptr);
  ASSERT_EQ(macroDialog.Choices()->GetCurData(), empty);
  EXPECT_FALSE(macroDialog.Commit());
  EXPECT_EQ(host_.messages, std::vector<std::u16string>{Text(293)});
  EXPECT_TRUE(Rows(profile).empty());

  CustomKeyDlg further(host_, kKeyB, u"B", profile, 2);
  ASSERT_NE(further.Create(host_.window, u"CustomKeyDlg", 0x96020000, 0, Rect{0, 0, 660, 360}), nullptr);
  EXPECT_FALSE(further.Commit());  // nothing captured yet
  further.CaptureKey(162, 0x1D);   // Ctrl alone is not a combination key
  further.CaptureKey(65, 0x1E);
  further.Modifier(1)->SetCheck(1);  // Ctrl
  ASSERT_TRUE(further.Commit());
  KeyAssignmentRecord row;
  ASSERT_TRUE(host_.store.ReadKeyAssignment(profile, 0, kKeyB, row));
  EXPECT_EQ(row.macroType, 2);
  EXPECT_EQ(row.macroValue, 4);
  EXPECT_EQ(row.macroValue2, 0x01);
  EXPECT_EQ(row.description.rfind(u"Ctrl", 0), 0U);

  further.ChooseKind(static_cast<int>(AssignmentType::OpenWebAddress));
  EXPECT_FALSE(further.Commit());  // an empty address is no choice
  further.Field()->SetEditText(u"example.org");
  ASSERT_TRUE(further.Commit());
  ASSERT_TRUE(host_.store.ReadKeyAssignment(profile, 0, kKeyB, row));
  OtherDataRecord data;
  ASSERT_TRUE(host_.store.ReadOtherData(row.macroValue, data));
  EXPECT_EQ(data.type, 9);
  EXPECT_EQ(data.description, u"example.org");

  const int target = page_->Profiles().List()->GetItemData(2);
  further.ChooseKind(static_cast<int>(AssignmentType::SwitchProfile));
  further.Choices()->SelectData(target);
  ASSERT_TRUE(further.Commit());
  ASSERT_TRUE(host_.store.ReadKeyAssignment(profile, 0, kKeyB, row));
  data = {};
  ASSERT_TRUE(host_.store.ReadOtherData(row.macroValue, data));
  EXPECT_EQ(data.param, ToUtf16(std::to_string(target)));
}

TEST_F(KeyPageTest, AnExportedProfileImportsAsANewProfileAndBadFilesChangeNothing) {
  Store(kKeyA, AssignmentType::Shortcut, 4);
  Store(kKeyB, AssignmentType::Disabled, 1);
  host_.chosenPath = folder_.Path() + "Work.xml";
  page_->Profiles().List()->SetCurSel(-1);
  EXPECT_EQ(page_->Profiles().Export(), 0);  // nothing selected: the system box, and no question
  EXPECT_EQ(host_.systemMessages, std::vector<std::u16string>{Text(384)});
  EXPECT_TRUE(host_.requests.empty());
  page_->Profiles().List()->SetCurSel(0);
  page_->Profiles().Export();
  ASSERT_TRUE(std::filesystem::exists(host_.chosenPath));
  EXPECT_EQ(host_.requests.at(0).filters.at(0).text, u"Profile (*.xml)");

  const int before = host_.current;
  page_->Profiles().Import();
  EXPECT_NE(host_.current, before);
  EXPECT_EQ(page_->Profiles().List()->GetItemText(3), u"Work");
  const auto imported = Rows(host_.current);
  ASSERT_EQ(imported.size(), 2U);
  EXPECT_EQ(Key(kKeyA)->check, 1);
  EXPECT_EQ(host_.programmed.back(), host_.current);

  host_.chosenPath = folder_.Write("Broken.xml", "<profile><keyitems><item");
  page_->Profiles().Import();
  EXPECT_EQ(host_.messages, std::vector<std::u16string>{Text(380)});
  EXPECT_EQ(page_->Profiles().List()->GetItemCount(), 4);

  host_.chosenPath = folder_.Path() + "missing/Out.xml";
  page_->Profiles().Export();
  EXPECT_EQ(host_.messages.back(), Text(381));
  EXPECT_FALSE(std::filesystem::exists(host_.chosenPath + ".partial"));
}

TEST_F(KeyPageTest, SpecialKeysRunInSoftwareAndOtherKindsAreLeftToPlayback) {
  auto backend = std::make_unique<FakeVirtualHidBackend>();
  FakeVirtualHidBackend* writes = backend.get();
  VHidev keyboard(std::move(backend));
  SpecialKeyRunner runner(host_.store, keyboard, host_.window, [this] { return host_.current; });
  Store(kKeyA, AssignmentType::FunctionGroup, 5);  // Volume Up
  const int address = host_.store.AddOtherData(OtherDataRecord{u"example.org", u"", 9});
  Store(kKeyB, AssignmentType::OpenWebAddress, address);
  Store(0x106, AssignmentType::Key, 4);

  EXPECT_TRUE(runner.OnFilterKey(kKeyA, true));
  ASSERT_FALSE(writes->writes.empty());
  const auto& report = writes->writes.back();
  EXPECT_EQ(report[1], VHidev::kConsumerReport);
  EXPECT_EQ(report[2] | (report[3] << 8), KeyCodes::consumerUsage(234));

  EXPECT_TRUE(runner.OnFilterKey(kKeyB, true));
  MSG msg;
  bool posted = false;
  while (PeekMessage(msg)) posted = posted || (msg.message == 1092 && msg.lParam == address);
  EXPECT_TRUE(posted);
  EXPECT_FALSE(runner.OnFilterKey(0x106, true));
}

}  // namespace
