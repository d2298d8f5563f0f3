// The lighting page on the headless window system with a real store: which
// controls each mode flag shows, how every setting is stored and applied, the
// rule for changes made while a job is pending, clamping, per-key painting,
// the family A direction and custom sets, the colour areas, the mode list and
// the language refresh.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/LanguageText.h"
#include "mainwindow/lightpage/LightPage.h"
#include "mainwindow/lightpage/LightPageIds.h"
#include "tests/mainwindow/lightpage/FakeLightHost.h"
#include "tests/support/TempFolder.h"
#include "zephui/Backend.h"
#include "zephui/CColorButton.h"
#include "zephui/ControlTypes.h"
#include "zephui/DListBox.h"
#include "zephui/Headless.h"
#include "zephui/KEY_INFO.h"
#include "zephui/KeyboardCtrl.h"
#include "zephui/MCheckTypeButton.h"
#include "zephui/MComboBox.h"
#include "zephui/MDialog.h"
#include "zephui/MEdit.h"
#include "zephui/MSlider.h"
#include "zephui/MText.h"
#include "zephui/Text.h"
#include "zephui/Window.h"
#include "tests/mainwindow/HeadlessPageStart.h"

using namespace ZephUI;

namespace {

constexpr int kFamilyA = 101;
constexpr int kFamilyB = 201;
constexpr std::array<int, 3> kKeys{0x104, 0x105, 0x106};

// Mode number -> flags; each mode's name is text 899 + mode.
const std::map<int, int> kModes{{1, 0x3},   {2, 0x5},   {3, 0x8},   {4, 0x30},  {5, 0x40},
                                {6, 0x80},  {7, 0x101}, {8, 0x200}, {9, 0x400}, {10, 0x801}};

std::u16string Text(int number) { return GetLanguageText(kDialogSection, number); }

// A window holding layout 52 and the page, passing the page's notices on as the main window does.
class PageWindow : public MDialog {
 public:
  explicit PageWindow(LightPage& page) : page_(page) {}
  void InitUI(const Rect& client) override {
    CreateControl(u"MTabLayout", LightId::kPage, Rect{80, 50, client.Width() - 1, client.Height() - 1}, u"", true,
                  true);
    page_.Build(*this, client);
    page_.SetPicture(Rect{340, 70, 1270, 420}, u"keyboard_t40.png", 900, 300);
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
      const int x = 20 + static_cast<int>(i) * 40;
      page_.AddPictureKey(LayoutKey{kKeys[i], u"K", u"Key", Rect{x, 20, x + 36, 56}});
    }
  }
  LRESULT OnMessage(std::uint32_t id, UINT msg, WPARAM wParam, LPARAM lParam) override {
    return page_.OnNotify(id, msg, wParam, lParam).value_or(0);
  }

 private:
  LightPage& page_;
};

class LightPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartHeadlessPage();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(OpenTestDatabase(host_.store, folder_.Path()));
    host_.layout.deviceType = kFamilyB;
    host_.layout.defaultMode = 1;
    host_.layout.defaultBrightness = 4;
    host_.layout.defaultSpeed = 3;
    for (const auto& [mode, flags] : kModes) {
      host_.layout.lightModes.push_back(LayoutLightMode{DecimalText(899 + mode), mode, flags});
    }
  }
  void TearDown() override {
    window_.reset();
    SetLanguageId(1033);
    Headless::Reset();
  }
  void Open(int deviceType = kFamilyB) {
    host_.layout.deviceType = deviceType;
    page_ = std::make_unique<LightPage>(host_);
    window_ = std::make_unique<PageWindow>(*page_);
    ASSERT_NE(window_->Create(nullptr, u"Lighting", 0x96020000, 0, Rect{0, 0, 1280, 720}), nullptr);
    ShowWindow(window_->GetSafeHwnd(), SW_SHOW);
    page_->Load();
    host_.TakeJobs();
    Headless::Pump();
  }
  // Chooses a mode as a click in the mode list does, then forgets the jobs that queued.
  void Choose(int mode) {
    page_->Controls().Get<DListBox>(LightId::kModeList)->SetCurData(mode);
    page_->OnNotify(LightId::kModeList, NOTIFY_CLICKED, 0, 0);
    host_.TakeJobs();
    host_.waitDialogs = 0;
    Headless::Pump();
  }
  void Click(std::uint32_t id) {
    const Rect at = page_->Controls().Get<MControl>(id)->GetRect();
    Headless::AdvanceClock(1000);  // never half of a double click
    Headless::ClickClient(window_->GetSafeHwnd(), (at.left + at.right) / 2, (at.top + at.bottom) / 2);
    Headless::Pump();
  }
  void ClickKey(int code) {
    KeyboardCtrl* picture = page_->Picture();
    for (const KEY_INFO* key : picture->GetKeyItems()) {
      if (key->keyValue != static_cast<std::uint32_t>(code)) continue;
      const Rect real = picture->GetRealRect(key->rect);
      const Rect origin = picture->GetRect();
      Headless::AdvanceClock(1000);
      Headless::ClickClient(window_->GetSafeHwnd(), origin.left + (real.left + real.right) / 2,
                            origin.top + (real.top + real.bottom) / 2);
      Headless::Pump();
    }
  }
  bool Shown(std::uint32_t id) const { return page_->Controls().Get<MControl>(id)->IsVisible(); }
  LightRecord Row(int mode) {
    LightRecord row;
    EXPECT_TRUE(host_.store.ReadLightMode(LightPage::kLightingProfile, mode, row));
    return row;
  }
  void TypeInto(std::uint32_t edit, const std::u16string& text) {
    page_->Controls().Get<MEdit>(edit)->SetEditText(text);
    page_->OnNotify(edit, NOTIFY_EDIT_CHANGED, 0, 0);
  }

  testsupport::TempFolder folder_;
  FakeLightHost host_;
  std::unique_ptr<LightPage> page_;
  std::unique_ptr<PageWindow> window_;
};

// Controls that stand for each group the flags switch.
const std::map<std::string, std::vector<std::uint32_t>> kGroups{
    {"brightness", {74, 75}},      {"speed", {76, 77}},         {"horizontal", {79, 80}},
    {"vertical", {81, 82}},        {"direction label", {78}},   {"mode colour", {103}},
    {"colourful", {104}},          {"picker", {105, 107, 111, 116, 117, 125}},
    {"set A", {83, 84, 91}},       {"set B", {92, 93, 100}},    {"custom sets", {101, 102}},
    {"music A", {126, 129, 133}},  {"music B", {134, 137, 147}}, {"areas", {148, 149, 188, 195}}};

TEST_F(LightPageTest, EachModeFlagShowsItsControlsAndNoOthers) {
  const std::map<int, std::set<std::string>> expected{
      {1, {"brightness", "speed"}},
      {2, {"brightness", "horizontal", "direction label"}},
      {3, {"vertical", "direction label"}},
      {4, {"mode colour", "colourful", "picker"}},
      {5, {"set A"}},
      {6, {"set B"}},
      {7, {"brightness", "custom sets", "picker", "mode colour"}},
      {8, {"music B"}},
      {9, {}},
      {10, {"brightness", "areas"}}};
  Open();
  for (const auto& [mode, groups] : expected) {
    Choose(mode);
    EXPECT_EQ(host_.flags, static_cast<std::uint32_t>(kModes.at(mode))) << mode;
    for (const auto& [group, ids] : kGroups) {
      for (const std::uint32_t id : ids) EXPECT_EQ(Shown(id), groups.count(group) == 1) << "mode " << mode << " " << group << " " << id;
    }
  }
  // Painting, the screen and family A music draw the picture themselves.
  Choose(7);
  EXPECT_EQ(page_->Picture()->GetKeyboardCtrlMode(), KEYBOARD_MODE_PAINT);
  Choose(9);
  EXPECT_EQ(page_->Picture()->GetKeyboardCtrlMode(), KEYBOARD_MODE_COLOUR);
  Choose(1);
  EXPECT_EQ(page_->Picture()->GetKeyboardCtrlMode(), KEYBOARD_MODE_LIGHT);
}

TEST_F(LightPageTest, MusicControlsFollowTheFamilyAndTheVisualiserTakesTheStoredLayer) {
  Open(kFamilyA);
  Choose(8);
  EXPECT_TRUE(Shown(LightId::kAmplitude));
  EXPECT_FALSE(Shown(LightId::kSensitivity));
  EXPECT_EQ(page_->Picture()->GetKeyboardCtrlMode(), KEYBOARD_MODE_COLOUR);
  EXPECT_TRUE(host_.TakeJobs().empty());

  // Amplitude is stored five times the slider; the visualiser gets the same layer.
  page_->Controls().Get<MSlider>(LightId::kAmplitude)->SetProgress(40);
  page_->OnNotify(LightId::kAmplitude, NOTIFY_CLICKED, 0, 0);
  MusicLayerRecord stored;
  ASSERT_TRUE(host_.store.ReadMusicLayer(host_.store.GetSelectedMusicLayer(), stored));
  EXPECT_EQ(stored.foreAmplitude, 200);
  EXPECT_EQ(host_.layer.foreAmplitude, 200);
  EXPECT_EQ(host_.painting, Painting::On);
}

TEST_F(LightPageTest, TheChosenOutputIsFollowedByNameAndOneNoLongerListedFallsBackToTheDefault) {
  Open(kFamilyA);
  const std::vector<AudioMonitor> monitors{{"", u"Default Loopback Device"}, {"b.monitor", u"B"}, {"c.monitor", u"C"}};
  page_->SetAudioMonitors(monitors);
  auto* devices = page_->Controls().Get<MComboBox>(LightId::kAudioDevice);
  devices->SetCurSel(2);
  page_->OnNotify(LightId::kAudioDevice, NOTIFY_CLICKED, 0, 0);
  ASSERT_FALSE(host_.followed.empty());
  EXPECT_EQ(host_.followed.back(), "c.monitor");

  // A later load (start-up, profile load) follows the stored choice; without it listed, the default output.
  host_.followed.clear();
  page_->SetAudioMonitors({monitors[0], monitors[1]});
  page_->Load();
  EXPECT_EQ(host_.followed, std::vector<std::string>{""});
  EXPECT_EQ(devices->GetCurSel(), 0);
  page_->SetAudioMonitors(monitors);
  page_->Load();
  EXPECT_EQ(host_.followed.back(), "c.monitor") << "the stored choice is kept for when the output returns";
}

TEST_F(LightPageTest, ModeChoicesQueueTheFullModeExceptForModesTheProgramDrives) {
  host_.connectionMode = 1;
  Open();
  auto* list = page_->Controls().Get<DListBox>(LightId::kModeList);
  EXPECT_LT(list->FindItemData(8), 0) << "a music-only mode cannot run without the cable";
  EXPECT_GE(list->FindItemData(9), 0);
  EXPECT_EQ(list->GetItemText(list->FindItemData(2)), Text(901));

  list->SetCurData(2);
  page_->OnNotify(LightId::kModeList, NOTIFY_CLICKED, 0, 0);
  EXPECT_EQ(host_.TakeJobs(), std::vector<JobCode>{JobCode::JOB_APPLY_LIGHTING});
  EXPECT_EQ(host_.freshMarks, 1);
  EXPECT_EQ(host_.waitDialogs, 1);
  EXPECT_EQ(host_.store.GetActiveLightMode(LightPage::kLightingProfile), 2);

  list->SetCurData(9);
  page_->OnNotify(LightId::kModeList, NOTIFY_CLICKED, 0, 0);
  EXPECT_TRUE(host_.TakeJobs().empty());
  EXPECT_EQ(host_.freshMarks, 1);
}

TEST_F(LightPageTest, FamilyBMusicHandsItsSettingsToTheLevelSenderAndQueuesNothing) {
  Open();
  page_->Controls().Get<MSlider>(LightId::kSensitivity)->SetProgress(150);
  page_->Controls().Get<MComboBox>(LightId::kEffect)->SetCurSel(1);
  Choose(8);
  EXPECT_DOUBLE_EQ(host_.gain, 3.0);
  EXPECT_EQ(host_.effect, 2);
  EXPECT_EQ(host_.freshMarks, 0);
}

TEST_F(LightPageTest, SliderChangesAreStoredAndQueuedOnlyWhenNothingIsPending) {
  Open();
  Choose(1);
  // Pressing the track's far left end moves the thumb to the minimum: the keyboard's lowest brightness is 1.
  const Rect track = page_->Controls().Get<MControl>(LightId::kBrightness)->GetRect();
  Headless::ClickClient(window_->GetSafeHwnd(), track.left + 1, (track.top + track.bottom) / 2);
  Headless::Pump();
  EXPECT_EQ(Row(1).brightness, 1);
  EXPECT_EQ(host_.waitDialogs, 1);
  ASSERT_EQ(host_.jobs.Size(), 1U);

  // A lighting job waits behind a running one: the change rides on it, no new job, no new dialog.
  host_.jobs.PushBack(JobCode::JOB_APPLY_LIGHTING);
  page_->Controls().Get<MSlider>(LightId::kSpeed)->SetProgress(1);
  page_->OnNotify(LightId::kSpeed, NOTIFY_CLICKED, 0, 0);
  EXPECT_EQ(Row(1).speed, 1);
  EXPECT_EQ(host_.jobs.Size(), 2U);
  EXPECT_EQ(host_.waitDialogs, 1);
}

TEST_F(LightPageTest, WheelingASliderWhileAJobRunsEndsWithOneJobCarryingTheLastValue) {
  Open();
  Choose(1);
  host_.jobs.PushBack(JobCode::JOB_LOAD_PAGES);  // running: it may already have read the row
  const Rect track = page_->Controls().Get<MControl>(LightId::kSpeed)->GetRect();
  Headless::MoveMouseToClient(window_->GetSafeHwnd(), (track.left + track.right) / 2, (track.top + track.bottom) / 2);
  for (int step = 0; step < 6; ++step) {
    Headless::Wheel(step < 3 ? -120 : 120);
    Headless::Pump();
  }
  const int last = page_->Controls().SliderValue(LightId::kSpeed);
  EXPECT_EQ(host_.TakeJobs(), (std::vector<JobCode>{JobCode::JOB_LOAD_PAGES, JobCode::JOB_APPLY_LIGHTING}));
  EXPECT_EQ(Row(1).speed, last);
  EXPECT_EQ(host_.waitDialogs, 0);
}

TEST_F(LightPageTest, ColourEditsAreClampedAndUncheckingColourfulResetsToRed) {
  Open();
  Choose(4);
  ASSERT_TRUE(page_->Controls().IsChecked(LightId::kColourful));

  Click(LightId::kColourful);
  EXPECT_EQ(Row(4).colorful, 0);
  EXPECT_EQ(Row(4).colorValue, 255);
  EXPECT_EQ(page_->Controls().Get<CColorButton>(LightId::kModeColour)->GetColor(), GdiColor(255));

  TypeInto(LightId::kRedEdit + 1, u"300");
  EXPECT_EQ(page_->Controls().Get<MEdit>(LightId::kRedEdit + 1)->GetEditText(), u"255");
  EXPECT_EQ(Row(4).colorValue, 0xFFFF);
  EXPECT_EQ(page_->Controls().SliderValue(LightId::kRedSlider + 1), 255);

  Click(LightId::kPresetFirst + 3);  // blue
  EXPECT_EQ(Row(4).colorValue, 0xFF0000);
  EXPECT_EQ(page_->Controls().Get<MEdit>(LightId::kRedEdit)->GetEditText(), u"0");
  // The first job may already be running with an older colour: one more, and only one, follows it.
  EXPECT_EQ(host_.waitDialogs, 0);
  EXPECT_EQ(host_.TakeJobs(), (std::vector<JobCode>{JobCode::JOB_APPLY_LIGHTING, JobCode::JOB_APPLY_LIGHTING}));
}

TEST_F(LightPageTest, PaintingKeysStoresTheWholePictureAndQueuesTheCustomColours) {
  Open();
  Choose(7);
  Click(LightId::kPresetFirst + 2);  // green: only the brush changes
  EXPECT_EQ(page_->Picture()->GetCustomColor(), GdiColor(0xFF00));
  EXPECT_TRUE(host_.TakeJobs().empty());

  ClickKey(0x105);
  std::map<std::pair<int, int>, int> stored;
  std::vector<KeyColorRecord> colours;
  host_.store.ListKeyColors(colours);
  for (const KeyColorRecord& colour : colours) stored[{colour.lightId, colour.keyCode}] = colour.keyColor;
  ASSERT_EQ(stored.count({128, 0x105}), 1U);
  EXPECT_EQ(stored.at({128, 0x105}), 0xFF00);
  EXPECT_EQ(stored.count({128, 0x104}), 1U);
  EXPECT_EQ(stored.count({128, 0x106}), 1U);
  EXPECT_EQ(host_.TakeJobs(), std::vector<JobCode>{JobCode::JOB_APPLY_CUSTOM_LIGHT});
  EXPECT_EQ(host_.waitDialogs, 1);
}

TEST_F(LightPageTest, DirectionIsStoredInEachFamilysEncodingAndShownAsStored) {
  for (const auto& [type, left] : {std::pair{kFamilyA, 0}, std::pair{kFamilyB, 1}}) {
    window_.reset();
    Open(type);
    Choose(2);
    Click(LightId::kRight);
    EXPECT_EQ(Row(2).direction, left + 1) << type;
    Click(LightId::kLeft);
    EXPECT_EQ(Row(2).direction, left) << type;
    Choose(1);
    Choose(2);
    EXPECT_TRUE(page_->Controls().IsChecked(LightId::kLeft)) << type;
  }
}

TEST_F(LightPageTest, FamilyACustomSetsAreSelectedAtOnceWithoutTheWorker) {
  Open(kFamilyA);
  Choose(7);
  auto* sets = page_->Controls().Get<MComboBox>(LightId::kCustomSets);
  sets->SetCurSel(1);
  page_->OnNotify(LightId::kCustomSets, NOTIFY_CLICKED, 0, 0);
  EXPECT_EQ(host_.directSelections, (std::vector<std::pair<int, int>>{{7, 1}}));
  EXPECT_EQ(host_.customSet, 1);
  EXPECT_TRUE(host_.TakeJobs().empty());
}

TEST_F(LightPageTest, AreaChoicesKeepTheOtherAreasBitsAndAreShownBack) {
  Open();
  Choose(10);
  Click(LightId::kAreaFirst + 2 * 8 + 5);  // area 3, fifth colour
  Click(LightId::kAreaFirst + 1 * 8 + 2);  // area 2, second colour
  EXPECT_EQ(Row(10).direction, (4 << 4) | 1);
  EXPECT_EQ(host_.waitDialogs, 0);
  EXPECT_EQ(host_.TakeJobs(), (std::vector<JobCode>{JobCode::JOB_APPLY_LIGHTING, JobCode::JOB_APPLY_LIGHTING}));
  Choose(1);
  Choose(10);
  EXPECT_TRUE(page_->Controls().IsChecked(LightId::kAreaFirst + 2 * 8 + 5));
  EXPECT_TRUE(page_->Controls().IsChecked(LightId::kAreaFirst + 1 * 8 + 2));
  EXPECT_TRUE(page_->Controls().IsChecked(LightId::kAreaFirst + 4 * 8 + 1));
}

TEST_F(LightPageTest, ALanguageRefreshRenamesLabelsAndModes) {
  Open();
  SetLanguageId(2052);
  page_->RefreshTexts();
  EXPECT_EQ(page_->Controls().Get<MText>(LightId::kBrightnessLabel)->GetTitle(), Text(82));
  EXPECT_NE(Text(82), u"Brightness");
  auto* list = page_->Controls().Get<DListBox>(LightId::kModeList);
  EXPECT_EQ(list->GetItemText(list->FindItemData(10)), Text(909));
}

}  // namespace
