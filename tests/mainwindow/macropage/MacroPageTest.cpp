// The macro page on the headless window system with a real store: what acts
// without a selected macro, automatic names and copies, renaming, the play
// options, record list edits and the composer, recording through the
// keyboard grab with its delay rules, and the grab ending on every path.
#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/LanguageText.h"
#include "mainwindow/macropage/EventComposer.h"
#include "mainwindow/macropage/MacroList.h"
#include "mainwindow/macropage/MacroPage.h"
#include "mainwindow/macropage/MacroPageIds.h"
#include "mainwindow/macropage/RecordEditor.h"
#include "tests/mainwindow/macropage/FakeMacroHost.h"
#include "tests/support/TempFolder.h"
#include "zephui/Backend.h"
#include "zephui/CRecordList.h"
#include "zephui/ControlTypes.h"
#include "zephui/DListBox.h"
#include "zephui/Headless.h"
#include "zephui/KeyboardGrab.h"
#include "zephui/MDialog.h"
#include "zephui/MEdit.h"
#include "zephui/Message.h"
#include "zephui/MessageCodes.h"
#include "zephui/Text.h"
#include "zephui/Window.h"
#include "tests/mainwindow/HeadlessPageStart.h"

using namespace ZephUI;

namespace {

constexpr int kVkA = 0x41;
constexpr int kVkB = 0x42;

std::u16string Text(int number) { return GetLanguageText(kDialogSection, number); }

// A window holding layout 53 and the page, passing notices and messages on as the main window does.
class PageWindow : public MDialog {
 public:
  explicit PageWindow(MacroPage& page) : page_(page) {}
  void InitUI(const Rect& client) override {
    CreateControl(u"MTabLayout", MacroPageId::kPage, Rect{80, 50, client.Width() - 1, client.Height() - 1}, u"", true,
                  true);
    page_.Build(*this, client);
  }
  LRESULT OnMessage(std::uint32_t id, UINT msg, WPARAM wParam, LPARAM lParam) override {
    return page_.OnNotify(id, msg, wParam, lParam).value_or(0);
  }
  LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (const auto handled = page_.OnWindowMessage(msg, wParam, lParam)) return *handled;
    return MDialog::OnWindowMessage(msg, wParam, lParam);
  }

 private:
  MacroPage& page_;
};

struct Step {
  int type;
  int value;
  int delay;
  bool operator==(const Step&) const = default;
};

class MacroPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartHeadlessPage();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(OpenTestDatabase(host_.store, folder_.Path()));
    host_.words.Fill();
    page_ = std::make_unique<MacroPage>(host_);
    window_ = std::make_unique<PageWindow>(*page_);
    ASSERT_NE(window_->Create(nullptr, u"Macros", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    ShowWindow(window_->GetSafeHwnd(), SW_SHOW);
    host_.window = window_->GetSafeHwnd();
    page_->Load();
    Headless::Pump();
  }
  void TearDown() override {
    window_.reset();
    page_.reset();
    Headless::Reset();
  }

  LRESULT Notify(std::uint32_t id, UINT msg = NOTIFY_CLICKED) { return page_->OnNotify(id, msg, 0, 0).value_or(-1); }
  // A real click in the middle of a control (radios check themselves before they report).
  void Click(std::uint32_t id) {
    const Rect rect = window_->GetControl(id)->GetRect();
    Headless::AdvanceClock(1000);  // never half of a double click
    Headless::ClickClient(window_->GetSafeHwnd(), (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    Headless::Pump();
  }
  DListBox& List() { return *page_->Macros().List(); }
  CRecordList& Rows() { return *page_->Records().List(); }
  MEdit& Field(std::uint32_t id) { return *dynamic_cast<MEdit*>(window_->GetControl(id)); }
  std::vector<std::u16string> Names() {
    std::vector<std::u16string> names;
    for (int i = 0; i < List().GetItemCount(); ++i) names.push_back(List().GetItemText(i));
    return names;
  }
  void Select(int index) {
    List().SetCurSel(index);
    Notify(MacroPageId::kList, NOTIFY_PRESSED);
  }
  int SelectedId() { return page_->Macros().SelectedMacro(); }
  MacroRecord Stored(int id) {
    MacroRecord macro;
    host_.store.ReadMacro(id, macro);
    return macro;
  }
  std::vector<Step> StoredSteps(int id) {
    std::vector<StepRecord> rows;
    host_.store.ListSteps(id, rows);
    std::vector<Step> steps;
    for (const StepRecord& row : rows) steps.push_back({row.type, row.value, row.delayTime});
    return steps;
  }
  void StoreSteps(int id, const std::vector<Step>& steps) {
    std::vector<StepRecord> rows;
    for (const Step& step : steps) rows.push_back(StepRecord{0, id, step.type, 0, step.value, step.delay, u"K"});
    ASSERT_TRUE(host_.store.ReplaceSteps(id, rows));
  }
  // A key as the X server hands it to the grab, then the window's messages.
  // A key the X server stamped at `timeMs`; it waits in the window's queue until the next pump.
  void Queue(int keyCode, GrabbedKeyAction action, std::uint32_t timeMs) {
    ASSERT_TRUE(Headless::InjectGrabbedKey(GrabbedKey{action, static_cast<std::uint32_t>(keyCode), 0, timeMs}));
  }
  void Grabbed(int keyCode, GrabbedKeyAction action, std::uint32_t vk = 0) {
    ASSERT_TRUE(Headless::InjectGrabbedKey(GrabbedKey{action, static_cast<std::uint32_t>(keyCode), vk, 0}));
    Headless::Pump();
  }
  void Tap(int keyCode) {
    Grabbed(keyCode, GrabbedKeyAction::Press);
    Grabbed(keyCode, GrabbedKeyAction::Release);
  }

  testsupport::TempFolder folder_;
  FakeMacroHost host_;
  std::unique_ptr<MacroPage> page_;
  std::unique_ptr<PageWindow> window_;
};

TEST_F(MacroPageTest, WithoutASelectedMacroNothingActsOnAMacro) {
  EXPECT_EQ(List().GetItemCount(), 0);
  EXPECT_FALSE(page_->StartRecording());
  EXPECT_EQ(KeyboardGrabOwner(), nullptr);
  EXPECT_EQ(Notify(MacroPageId::kSave), 0);
  EXPECT_EQ(page_->SavePlayOptions(), 0);
  EXPECT_EQ(Notify(MacroPageId::kDelete), 0);
  EXPECT_EQ(Notify(MacroPageId::kCopy), 0);
  EXPECT_EQ(page_->OnMenu(MacroMenuItem::kPasteCopy), 0);
  EXPECT_EQ(Notify(MacroPageId::kExport), 0);
  EXPECT_EQ(host_.systemMessages, std::vector<std::u16string>{Text(540)});
  EXPECT_FALSE(Rows().IsEnabled());
  EXPECT_EQ(host_.programmed, 0);

  // Once a macro exists the same actions work; pressing outside every row takes it away again.
  Notify(MacroPageId::kNew);
  EXPECT_TRUE(Rows().IsEnabled());
  List().SetCurSel(-1);
  EXPECT_EQ(Notify(MacroPageId::kList, NOTIFY_PRESSED), 0);
  EXPECT_FALSE(Rows().IsEnabled());
  EXPECT_EQ(page_->SavePlayOptions(), 0);
}

TEST_F(MacroPageTest, AutomaticNamesTakeTheSmallestFreeNumberAndCopiesNumberOnFromTheName) {
  for (int i = 0; i < 3; ++i) Notify(MacroPageId::kNew);
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Macro 1", u"Macro 2", u"Macro 3"}));
  EXPECT_EQ(List().GetCurSel(), 2);

  Select(1);
  const int deleted = SelectedId();
  Notify(MacroPageId::kDelete);
  MacroRecord gone;
  EXPECT_FALSE(host_.store.ReadMacro(deleted, gone));
  EXPECT_EQ(List().GetCurSel(), 0);
  EXPECT_EQ(host_.keyViews, 1);
  EXPECT_EQ(host_.programmed, 1);
  Notify(MacroPageId::kNew);
  EXPECT_EQ(List().GetItemText(2), u"Macro 2");

  Select(0);
  const int original = SelectedId();
  StoreSteps(original, {{2, kVkA, 30}, {3, kVkA, 0}});
  Notify(MacroPageId::kCopy);
  Notify(MacroPageId::kList, NOTIFY_RCLICK);
  page_->OnMenu(MacroMenuItem::kPasteCopy);
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"Macro 1", u"Macro 3", u"Macro 2", u"Macro 1 - 1", u"Macro 1 - 2"}));
  EXPECT_EQ(List().GetCurSel(), 0) << "copies are added, not selected";
  for (int index : {3, 4}) EXPECT_EQ(StoredSteps(List().GetItemData(index)), StoredSteps(original));

  // Choosing another macro forgets the remembered one: the menu has nothing to paste.
  Select(1);
  EXPECT_EQ(page_->OnMenu(MacroMenuItem::kPasteCopy), 0);
  EXPECT_EQ(List().GetItemCount(), 5);
}

TEST_F(MacroPageTest, RenamingRefusesForbiddenAndEmptyNamesAndShowsTheStoredName) {
  Notify(MacroPageId::kNew);
  const int id = SelectedId();
  for (const std::u16string& refused : {std::u16string(u"My SHIT macro"), std::u16string()}) {
    List().ModifyItemString(0, refused);
    EXPECT_EQ(Notify(MacroPageId::kList, NOTIFY_EDIT_END), 0);
    EXPECT_EQ(List().GetItemText(0), u"Macro 1");
    EXPECT_EQ(Stored(id).name, u"Macro 1");
  }
  EXPECT_EQ(host_.messages, (std::vector<std::u16string>{Text(621), Text(330)}));

  List().ModifyItemString(0, u"Greeting");
  EXPECT_EQ(Notify(MacroPageId::kList, NOTIFY_EDIT_END), 1);
  EXPECT_EQ(Stored(id).name, u"Greeting");
}

TEST_F(MacroPageTest, RepeatCountsAreClampedAndEveryOptionIsStoredAndPlayedAtOnce) {
  Notify(MacroPageId::kNew);
  const int id = SelectedId();
  const std::pair<std::u16string, std::u16string> cases[] = {{u"0", u"1"}, {u"", u"1"}, {u"99", u"99"}, {u"7", u"7"}};
  for (const auto& [typed, shown] : cases) {
    Field(MacroPageId::kRepeat).SetEditText(typed);
    Notify(MacroPageId::kRepeat, NOTIFY_EDIT_END);
    EXPECT_EQ(Field(MacroPageId::kRepeat).GetEditText(), shown) << "typed " << ToUtf8(typed);
    EXPECT_EQ(Stored(id).playTimes, std::stoi(ToUtf8(shown)));
  }
  const int before = host_.programmed;
  EXPECT_FALSE(Field(MacroPageId::kFixedDelayField).IsEnabled());
  Click(MacroPageId::kFixedDelay);
  EXPECT_TRUE(Field(MacroPageId::kFixedDelayField).IsEnabled());
  Field(MacroPageId::kFixedDelayField).SetEditText(u"25");
  Notify(MacroPageId::kFixedDelayField, NOTIFY_EDIT_END);
  Click(MacroPageId::kLoopToggle);
  MacroRecord stored = Stored(id);
  EXPECT_EQ(stored.delayType, 3);
  EXPECT_EQ(stored.delayTime, 25);
  EXPECT_EQ(stored.loopType, 32);
  EXPECT_EQ(host_.programmed, before + 3);

  // Showing the macro again shows what was stored.
  Notify(MacroPageId::kNew);
  Select(0);
  EXPECT_EQ(Field(MacroPageId::kRepeat).GetEditText(), u"7");
  EXPECT_EQ(Field(MacroPageId::kFixedDelayField).GetEditText(), u"25");
  EXPECT_TRUE(Field(MacroPageId::kFixedDelayField).IsEnabled());
  Click(MacroPageId::kNoDelays);
  EXPECT_FALSE(Field(MacroPageId::kFixedDelayField).IsEnabled());
  EXPECT_EQ(Stored(id).delayType, 2);
}

TEST_F(MacroPageTest, RecordListEditsAndComposedStepsAreStoredInOrderAndPlayedAtOnce) {
  Notify(MacroPageId::kNew);
  const int id = SelectedId();
  StoreSteps(id, {{2, kVkA, 10}, {3, kVkA, 20}, {2, kVkB, 30}, {3, kVkB, 40}});
  Select(0);
  ASSERT_EQ(Rows().GetItemCount(), 4);

  Rows().SetCurSel(2);
  Notify(MacroPageId::kRecordUp);
  EXPECT_EQ(StoredSteps(id), (std::vector<Step>{{2, kVkA, 10}, {2, kVkB, 30}, {3, kVkA, 20}, {3, kVkB, 40}}));
  EXPECT_EQ(Rows().GetCurSel(), 1);
  const int saves = host_.programmed;
  Rows().SetCurSel(3);
  EXPECT_EQ(Notify(MacroPageId::kRecordDown), 0) << "the last row stays in place";
  Rows().SetCurSel(0);
  EXPECT_EQ(Notify(MacroPageId::kRecordUp), 0) << "the first row stays in place";
  EXPECT_EQ(host_.programmed, saves);
  Notify(MacroPageId::kRecordDelete);
  EXPECT_EQ(Rows().GetCurSel(), 0);
  EXPECT_EQ(StoredSteps(id), (std::vector<Step>{{2, kVkB, 30}, {3, kVkA, 20}, {3, kVkB, 40}}));

  // A key typed on the window after the key field was pressed, put after the selected row.
  Notify(MacroPageId::kKeyField, NOTIFY_PRESSED);
  SendMessage(window_->GetSafeHwnd(), WM_KEYDOWN, 'C', 0);
  EXPECT_EQ(Field(MacroPageId::kKeyField).GetEditText(), u"C");
  EXPECT_EQ(page_->Mode(), CaptureMode::Idle) << "one key is captured";
  Notify(MacroPageId::kInsert);
  EXPECT_EQ(StoredSteps(id),
            (std::vector<Step>{{2, kVkB, 30}, {2, 'C', 0}, {3, 'C', 0}, {3, kVkA, 20}, {3, kVkB, 40}}));
  // A delay after the selected row (the inserted release).
  Click(MacroPageId::kDelayEvent);
  Field(MacroPageId::kDelayField).SetEditText(u"250");
  Notify(MacroPageId::kInsert);
  EXPECT_EQ(StoredSteps(id)[2], (Step{3, 'C', 250}));

  // The list's own delay editor.
  Rows().GetRecordItems()[0]->delay = 75;
  Notify(MacroPageId::kRecords, NOTIFY_EDIT_END);
  EXPECT_EQ(StoredSteps(id)[0], (Step{2, kVkB, 75}));
  EXPECT_FALSE(page_->Records().Changed());
  EXPECT_EQ(host_.programmed, saves + 4);
}

TEST_F(MacroPageTest, RecordingKeepsOnePressPerHoldTakesCappedDelaysFromTheKeyTimesAndSkipsMediaKeys) {
  Notify(MacroPageId::kNew);
  const int id = SelectedId();
  ASSERT_TRUE(page_->StartRecording());
  EXPECT_EQ(KeyboardGrabOwner(), window_->GetSafeHwnd());
  EXPECT_EQ(host_.tabs, TabStripInput::Disabled);
  Notify(MacroPageId::kNew);
  EXPECT_EQ(List().GetItemCount(), 1) << "only the stop button acts while recording";

  // The window handles every key in one go, long after they moved; the X server's clock wraps between the first two.
  const std::uint32_t start = 0xFFFFFFC0;
  Queue(KEY_A, GrabbedKeyAction::Press, start);
  Queue(KEY_A, GrabbedKeyAction::Repeat, start + 40);
  Queue(KEY_A, GrabbedKeyAction::Release, start + 100);
  Queue(KEY_VOLUMEUP, GrabbedKeyAction::Press, start + 200);
  Queue(KEY_VOLUMEUP, GrabbedKeyAction::Release, start + 300);
  Queue(KEY_KP1, GrabbedKeyAction::Press, start + 40100);
  Queue(KEY_KP1, GrabbedKeyAction::Release, start + 40150);
  Headless::Pump();
  Notify(MacroPageId::kStopRecording);

  EXPECT_EQ(page_->Mode(), CaptureMode::Idle);
  EXPECT_EQ(KeyboardGrabOwner(), nullptr);
  EXPECT_EQ(host_.tabs, TabStripInput::Enabled);
  // Keypad 1 is recorded as the keypad digit whatever Num Lock says.
  EXPECT_EQ(StoredSteps(id), (std::vector<Step>{{2, kVkA, 100}, {3, kVkA, 31000}, {2, 97, 50}, {3, 97, 0}}));
  EXPECT_GT(host_.programmed, 0);
}

TEST_F(MacroPageTest, FixedAndNoDelayRecordingsAppendToTheSteps) {
  Notify(MacroPageId::kNew);
  const int id = SelectedId();
  Click(MacroPageId::kFixedDelay);
  Field(MacroPageId::kFixedDelayField).SetEditText(u"25");
  page_->StartRecording();
  Tap(KEY_B);
  Tap(KEY_A);
  Notify(MacroPageId::kStopRecording);
  Click(MacroPageId::kNoDelays);
  page_->StartRecording();
  Tap(KEY_A);
  page_->StopRecording();
  EXPECT_EQ(StoredSteps(id), (std::vector<Step>{{2, kVkB, 25}, {3, kVkB, 25}, {2, kVkA, 25}, {3, kVkA, 0},
                                                {2, kVkA, 0}, {3, kVkA, 0}}));
}

TEST_F(MacroPageTest, TheKeyboardGrabEndsOnEveryWayARecordingCanEnd) {
  Notify(MacroPageId::kNew);
  // The window hidden: the grab goes with it, keys no longer arrive.
  ASSERT_TRUE(page_->StartRecording());
  ShowWindow(window_->GetSafeHwnd(), SW_HIDE);
  EXPECT_EQ(KeyboardGrabOwner(), nullptr);
  EXPECT_FALSE(Headless::InjectGrabbedKey(GrabbedKey{GrabbedKeyAction::Press, KEY_A, 0, 0}));
  page_->StopRecording();
  ShowWindow(window_->GetSafeHwnd(), SW_SHOW);

  // The page going while it records.
  ASSERT_TRUE(page_->StartRecording());
  ASSERT_NE(KeyboardGrabOwner(), nullptr);
  window_.reset();
  EXPECT_EQ(KeyboardGrabOwner(), nullptr);
  page_.reset();
  EXPECT_EQ(KeyboardGrabOwner(), nullptr);
}

TEST_F(MacroPageTest, ABrokenMacroFileSaysSoAndChangesNothing) {
  Notify(MacroPageId::kNew);
  const std::string broken = folder_.Path() + "broken.xml";
  std::FILE* file = std::fopen(broken.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("<?xml version=\"1.0\"?><macro><macroinfo times=\"3\"><macroitems><item type=", file);
  std::fclose(file);
  host_.chosenPath = broken;
  Notify(MacroPageId::kImport);
  EXPECT_EQ(host_.messages, std::vector<std::u16string>{Text(382)});
  std::vector<MacroRecord> macros;
  EXPECT_EQ(host_.store.ListMacros(macros), 1);
  EXPECT_EQ(List().GetItemCount(), 1);

  // A macro exported and imported again comes back under the file's name with its steps.
  StoreSteps(SelectedId(), {{2, kVkA, 15}, {3, kVkA, 0}});
  host_.chosenPath = folder_.Path() + "Greeting.xml";
  Notify(MacroPageId::kExport);
  Notify(MacroPageId::kImport);
  ASSERT_EQ(List().GetItemCount(), 2);
  EXPECT_EQ(List().GetItemText(1), u"Greeting");
  EXPECT_EQ(StoredSteps(List().GetItemData(1)), StoredSteps(SelectedId()));
}

}  // namespace
