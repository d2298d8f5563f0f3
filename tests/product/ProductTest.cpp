// The demo program as a user meets it, end to end: under a private Xvfb and
// session bus (with the test as the desktop's tray), driven only through XTEST
// clicks and key presses, the tray's bus calls and keys pressed on the
// simulated keyboard. Each step checks what the simulated keyboard decoded or
// played and what the database holds, and photographs the main window for
// the README.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/product/DemoDriver.h"
#include "tests/product/PrivateDisplay.h"
#include "tests/product/TrayHost.h"
#include "tests/zephui/tray/PrivateSessionBus.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Reads the program's database the way another process would: read-only, seeing what has been committed.
Rows Query(const std::string& database, const std::string& sql) {
  Rows rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK) {
      while (sqlite3_step(statement) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
          const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
          row.emplace_back(text != nullptr ? text : "");
        }
        rows.push_back(std::move(row));
      }
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return rows;
}

std::string FindDatabase(const std::string& dataHome) {
  if (!std::filesystem::exists(dataHome)) return {};
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dataHome)) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with("_data_v4.db")) return entry.path().string();
  }
  return {};
}

std::string Join(const std::vector<int>& values) {
  std::string text = "{";
  for (const int value : values) text += " " + std::to_string(value);
  return text + " }";
}

std::optional<ControlInfo> Find(const std::vector<ControlInfo>& controls,
                                const std::function<bool(const ControlInfo&)>& match) {
  const auto found = std::find_if(controls.begin(), controls.end(), match);
  return found != controls.end() ? std::optional(*found) : std::nullopt;
}

constexpr unsigned kCaption = 39;
constexpr unsigned kStatusLine = 55;
constexpr unsigned kDeviceList = 56;
constexpr int kDeviceRowHeight = 38;
constexpr unsigned kTabStrip = 49;
constexpr unsigned kKeyPicture = 67;
constexpr unsigned kKeyPicker = 69;
constexpr unsigned kAddProfile = 60;
constexpr unsigned kProfileList = 66;
constexpr unsigned kNewMacro = 208;
constexpr unsigned kStartRecording = 224;
constexpr unsigned kStopRecording = 225;
constexpr unsigned kModeList = 71;
constexpr unsigned kBrightness = 75;
constexpr unsigned kSpeed = 77;
constexpr unsigned kSetAFirst = 84;
constexpr unsigned kLightPicture = 72;
constexpr unsigned kPresetFirst = 117;
constexpr unsigned kLanguage = 240;
constexpr unsigned kLanguageLabel = 239;
constexpr unsigned kCloseButton = 41;
constexpr unsigned kCustomKeyOk = 44;
constexpr unsigned kHideOption = 31;
constexpr unsigned kCloseTipOk = 33;

constexpr int kKeyA = 0x104;
constexpr int kPickerB = 97;  // the picker's "B": the media row, four key rows, then Shift Z X C V B
constexpr int kUsageB = 5;
constexpr int kUsageC = 6;
constexpr int kUsageD = 7;
constexpr int kWaveMode = 4;
constexpr int kPerKeyMode = 9;
constexpr int kPainted[] = {0x129, 0x13A, 0x13B};  // Esc, F1, F2: lights 0, 1, 2
enum Tab { kHomeTab, kKeysTab, kMacrosTab, kLightingTab, kSettingsTab };

class ProductRun : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/pelmora-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    home_ = folder;
    const char* shots = std::getenv("PELMORA_E2E_SHOTS");
    shots_ = shots != nullptr && *shots != '\0' ? shots : home_;
    std::filesystem::create_directories(shots_);
    if (!display_.Start()) GTEST_SKIP() << "Xvfb is not available";
    if (!bus_.Start()) GTEST_SKIP() << "dbus-daemon is not available";
    tray_ = std::make_unique<TrayHost>();
    ASSERT_TRUE(tray_->Ready());
    program_ = std::make_unique<DemoDriver>(home_);
    program_->WhileWaiting([this] { tray_->Process(); });
    ASSERT_TRUE(program_->Start(PELMORA_DEMO_PROGRAM));
  }
  void TearDown() override {
    if (HasFailure() && program_ != nullptr) {
      std::printf("program output:\n%s\n", program_->Output().c_str());
      WriteControls(home_ + "/controls.txt");
    }
    program_.reset();
    tray_.reset();
    if (!HasFailure()) std::filesystem::remove_all(home_);
    else std::printf("the run's files stay in %s\n", home_.c_str());
  }

  // What the program showed last, for a look after a failure.
  void WriteControls(const std::string& path) const {
    std::ofstream out(path);
    for (const ControlInfo& c : controls_) {
      out << c.window << ' ' << c.kind << ' ' << c.id << ' ' << c.index << ' ' << c.value << ' ' << c.className << " \""
          << c.text << "\" " << c.left << ',' << c.top << ',' << c.right << ',' << c.bottom << '\n';
    }
  }

  // ---- what the program shows ----
  const std::vector<ControlInfo>& Look() { return controls_ = program_->Controls(); }
  // The main window is the program's 1280 x 720 window; other windows are dialogs, menus and the simulated keyboard.
  std::optional<ControlInfo> MainWindow() const {
    return Find(controls_, [](const ControlInfo& c) { return c.kind == "window" && c.right - c.left == 1280; });
  }
  std::optional<ControlInfo> WindowTitled(const std::string& title) const {
    return Find(controls_, [&](const ControlInfo& c) { return c.kind == "window" && c.text == title; });
  }
  // A visible part of the windows shown now: `kind` with control id `id` (and `index` for keys, rows, items, tabs).
  std::optional<ControlInfo> Part(const std::string& kind, unsigned id, std::optional<int> index = std::nullopt) const {
    return Find(controls_, [&](const ControlInfo& c) {
      return c.kind == kind && c.id == id && (!index || c.index == *index);
    });
  }
  // A control titled `text` in a window other than the main window: a menu's row.
  std::optional<ControlInfo> PopupRow(const std::string& text) const {
    const int main = MainWindow() ? MainWindow()->window : -1;
    return Find(controls_, [&](const ControlInfo& c) { return c.kind == "control" && c.text == text && c.window != main; });
  }
  // Waits until `match` finds a part, then clicks it; false when it never shows.
  bool ClickWhenShown(const std::function<std::optional<ControlInfo>()>& match, unsigned button = 1) {
    std::optional<ControlInfo> found;
    if (!program_->Eventually([&] {
          Look();
          // A job's wait dialog takes the input until the job is done.
          return (found = match()).has_value() && !WindowTitled("WaitDlg").has_value();
        })) {
      return false;
    }
    program_->Click(*found, button);
    return true;
  }
  bool ClickControl(unsigned id) { return ClickWhenShown([&] { return Part("control", id); }); }
  // Clicks a tab of the strip; true once the caption names its page.
  bool OpenTab(int index) {
    std::optional<ControlInfo> tab;
    if (!ClickWhenShown([&] { return tab = Part("tab", kTabStrip, index); })) return false;
    return program_->Eventually([&] {
      Look();
      // The home page alone leaves the caption empty.
      const std::optional<ControlInfo> caption = Part("control", kCaption);
      if (index == kHomeTab) return !caption.has_value() || caption->text.empty();
      return caption.has_value() && caption->text == tab->text;
    });
  }
  bool Shows(unsigned id) {
    return program_->Eventually([&] {
      Look();
      return Part("control", id).has_value();
    });
  }
  // The key of a keyboard picture named `name`.
  std::optional<ControlInfo> KeyNamed(unsigned picture, const std::string& name) const {
    return Find(controls_, [&](const ControlInfo& c) { return c.kind == "key" && c.id == picture && c.text == name; });
  }
  // The key of a keyboard picture with this key value.
  std::optional<ControlInfo> Key(unsigned picture, int value) const {
    return Find(controls_, [&](const ControlInfo& c) { return c.kind == "key" && c.id == picture && c.value == value; });
  }
  std::optional<ControlInfo> SimulatedKeyboard() const { return WindowTitled("Simulated keyboard"); }
  // Drags the "Simulated keyboard" window by its margin until its top-left corner is at `left`, `top`.
  bool MoveSimulatedKeyboard(int left, int top) {
    constexpr int kMargin = 6;  // inside the window's border, outside every control
    std::optional<ControlInfo> window;
    return program_->Eventually([&] {
      Look();
      if (!(window = SimulatedKeyboard())) return false;
      if (window->left == left && window->top == top) return true;
      program_->Drag(window->left + kMargin, window->top + kMargin, left + kMargin, top + kMargin);
      return false;
    });
  }
  // The window opens at the bottom right, over the main window; put it aside, in the corner below and right of it.
  bool PutSimulatedKeyboardAside() {
    Look();
    const std::optional<ControlInfo> main = MainWindow();
    const std::optional<ControlInfo> opened = SimulatedKeyboard();
    if (!main || !opened) return false;
    if (!simulatedKeyboardHome_) simulatedKeyboardHome_ = opened;
    return MoveSimulatedKeyboard(main->right + 8, main->bottom + 8);
  }
  // Brings it back where it opened, whole on the screen.
  bool BringBackSimulatedKeyboard() {
    return simulatedKeyboardHome_.has_value() &&
           MoveSimulatedKeyboard(simulatedKeyboardHome_->left, simulatedKeyboardHome_->top);
  }

  // Photographs the main window once its paints have settled.
  void Shot(const std::string& name, std::optional<ControlInfo> window = std::nullopt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    Look();
    if (!window) window = MainWindow();
    ASSERT_TRUE(window.has_value()) << name;
    EXPECT_TRUE(program_->Screenshot(*window, shots_ + "/" + name + ".png")) << name;
  }

  // ---- the keyboard and the database ----
  // What one tap of a simulated key led to: usages the virtual keyboard pressed, keys the filter let through.
  struct TapOutcome {
    std::vector<int> played;
    std::vector<int> passed;
    bool operator==(const TapOutcome&) const = default;
  };
  // The presses of `log` ("played", "passed") that arrived between two states.
  static std::vector<int> Newer(const KeyboardState& before, const KeyboardState& after, const std::string& log) {
    const auto count = [&log](const KeyboardState& state) {
      const auto found = state.find(log + "Count");
      return found != state.end() && !found->second.empty() ? found->second.front() : 0;
    };
    const auto latest = after.find(log);
    if (latest == after.end()) return {};
    const std::vector<int>& all = latest->second;
    const auto added = static_cast<std::size_t>(std::max(0, count(after) - count(before)));
    return {all.end() - static_cast<std::ptrdiff_t>(std::min(added, all.size())), all.end()};
  }
  // Taps `key` until a tap has exactly `expected` as outcome: the key filter takes a changed table a moment later.
  bool TapGives(const std::string& key, const TapOutcome& expected) {
    TapOutcome got;
    const bool matched = program_->Eventually([&] {
      const KeyboardState before = program_->State();
      if (!program_->Send("tap " + key)) return false;
      return program_->Eventually(
          [&] {
            const KeyboardState after = program_->State();
            got = TapOutcome{Newer(before, after, "played"), Newer(before, after, "passed")};
            return got == expected;
          },
          std::chrono::seconds(3));
    });
    if (!matched) ADD_FAILURE() << key << ": the last tap played " << Join(got.played) << " and passed " << Join(got.passed);
    return matched;
  }
  std::string Database() { return FindDatabase(home_ + "/data"); }
  Rows Db(const std::string& sql) { return Query(Database(), sql); }
  bool DbShows(const std::string& sql, const Rows& expected) {
    return program_->Eventually([&] { return Db(sql) == expected; });
  }
  std::string ActiveProfile() {
    const Rows rows = Db("SELECT profile FROM t_profile_data WHERE status = 1");
    return rows.size() == 1 ? rows[0][0] : "";
  }
  std::string Settings() {
    std::ifstream in(home_ + "/config/Pelmora keyboard T40/settings.ini");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // Waits until the simulated keyboard's state has `name` at `values`.
  bool KeyboardShows(const std::string& name, const std::vector<int>& values) {
    KeyboardState state;
    const bool shown = program_->Eventually([&] { return (state = program_->State())[name] == values; });
    if (!shown) ADD_FAILURE() << name << " is " << Join(state[name]) << ", not " << Join(values);
    return shown;
  }
  // Chooses a lighting mode in the list; true once the keyboard runs it.
  bool ChooseMode(int mode) {
    return ClickWhenShown([&] {
      return Find(controls_, [&](const ControlInfo& c) { return c.kind == "row" && c.id == kModeList && c.value == mode; });
    }) && KeyboardShows("mode", {mode});
  }


  // ---- the steps, taken in order by the one test ----
 public:
  void StartsShowingTheKeyboard() {
    // The tab strip shows once the keyboard is found; the tray icon registers with the watcher.
    ASSERT_TRUE(program_->Eventually([&] {
      Look();
      return MainWindow().has_value() && Part("tab", kTabStrip, kSettingsTab).has_value() && !tray_->Registered().empty();
    }));
    ASSERT_TRUE(PutSimulatedKeyboardAside());
    ASSERT_FALSE(Database().empty());
    EXPECT_EQ(Db("SELECT COUNT(*) FROM t_profile_data").at(0).at(0), "3");
    firstProfile_ = ActiveProfile();
    ASSERT_FALSE(firstProfile_.empty());
    // The keyboard found, the window opens its key page; the home page says the keyboard is connected.
    ASSERT_TRUE(OpenTab(kHomeTab));
    ASSERT_TRUE(Shows(kStatusLine));
    EXPECT_EQ(Part("control", kStatusLine)->text, "Keyboard connected");
    Shot("home");
  }

  void AssignsAKeyFromThePicker() {
    // The home page lists the keyboard in the first row of its device list; clicking it opens the keyboard's pages.
    ASSERT_TRUE(Shows(kDeviceList));
    const ControlInfo devices = *Part("control", kDeviceList);
    program_->Click(devices.CentreX(), devices.top + kDeviceRowHeight / 2);
    ASSERT_TRUE(OpenTab(kKeysTab));
    ASSERT_TRUE(ClickWhenShown([&] { return Key(kKeyPicture, kKeyA); }));
    ASSERT_TRUE(ClickWhenShown([&] { return Part("item", kKeyPicker, kPickerB); }));
    EXPECT_TRUE(DbShows("SELECT macro_type, macro_value FROM t_key_macro_data WHERE profile = " + firstProfile_ +
                            " AND key_code = " + std::to_string(kKeyA),
                        {{"2", std::to_string(kUsageB)}}));
    // A on the keyboard now plays B through the virtual keyboard and no longer reaches the desktop.
    EXPECT_TRUE(TapGives("KEY_A", {{kUsageB}, {}}));
    Shot("keys");
  }

  void RecordsAMacroAndBindsIt() {
    ASSERT_TRUE(OpenTab(kMacrosTab));
    ASSERT_TRUE(ClickControl(kNewMacro));
    Rows macros;
    ASSERT_TRUE(program_->Eventually([&] { return (macros = Db("SELECT macro_id FROM t_macro_data")).size() == 1; }));
    const std::string macro = macros[0][0];
    ASSERT_TRUE(ClickControl(kStartRecording));
    ASSERT_TRUE(Shows(kStopRecording));
    program_->Type({XK_c, XK_d});
    std::this_thread::sleep_for(std::chrono::milliseconds(700));  // past the double-click time of the start click
    ASSERT_TRUE(ClickControl(kStopRecording));
    ASSERT_TRUE(Shows(kStartRecording));
    // Each key is a press (2) and a release (3), stored with its virtual-key code.
    EXPECT_TRUE(DbShows("SELECT type, value FROM t_macrorecord WHERE macro_id = " + macro + " ORDER BY record_index",
                        {{"2", "67"}, {"3", "67"}, {"2", "68"}, {"3", "68"}}));
    Shot("macros");

    // Bound to S through the key's context menu and the custom key dialog.
    ASSERT_TRUE(OpenTab(kKeysTab));
    std::optional<ControlInfo> keyS;
    ASSERT_TRUE(ClickWhenShown([&] { return keyS = KeyNamed(kKeyPicture, "S"); }, 3));
    ASSERT_TRUE(ClickWhenShown([&] { return PopupRow("Macro"); }));
    ASSERT_TRUE(program_->Eventually([&] {
      Look();
      return WindowTitled("CustomKeyDlg").has_value() && Part("control", kCustomKeyOk).has_value();
    }));
    program_->Click(*Part("control", kCustomKeyOk));
    EXPECT_TRUE(DbShows("SELECT macro_type, macro_value FROM t_key_macro_data WHERE profile = " + firstProfile_ +
                            " AND key_code = " + std::to_string(keyS->value),
                        {{"3", macro}}));
    EXPECT_TRUE(TapGives("KEY_S", {{kUsageC, kUsageD}, {}}));
  }

  void ChangesLightingAndPaintsKeys() {
    ASSERT_TRUE(OpenTab(kLightingTab));
    ASSERT_TRUE(ChooseMode(kWaveMode));
    // Each setting goes to the keyboard before the next one is clicked.
    std::optional<ControlInfo> slider;
    ASSERT_TRUE(ClickWhenShown([&] {
      if ((slider = Part("control", kBrightness))) slider->right = slider->left + 4;  // the lowest brightness
      return slider;
    }));
    EXPECT_TRUE(KeyboardShows("brightness", {1}));
    ASSERT_TRUE(ClickWhenShown([&] {
      if ((slider = Part("control", kSpeed))) slider->left = slider->right - 4;  // the highest speed
      return slider;
    }));
    EXPECT_TRUE(KeyboardShows("speed", {4}));
    ASSERT_TRUE(ClickControl(kSetAFirst + 2));  // the third colour of set A
    EXPECT_TRUE(KeyboardShows("colourIndex", {2}));
    EXPECT_TRUE(DbShows("SELECT brightness, speed, colorindex, status FROM t_light_data WHERE mode = " +
                            std::to_string(kWaveMode) + " AND profile = " + firstProfile_,
                        {{"1", "4", "2", "1"}}));

    // Per-key colours: blue painted on Esc, F1 and F2; the keys not painted stay dark.
    ASSERT_TRUE(ChooseMode(kPerKeyMode));
    ASSERT_TRUE(ClickControl(kPresetFirst + 3));
    for (const int key : kPainted) ASSERT_TRUE(ClickWhenShown([&] { return Key(kLightPicture, key); }));
    for (const int light : {0, 1, 2}) EXPECT_TRUE(KeyboardShows("light " + std::to_string(light), {0, 0, 255}));
    EXPECT_TRUE(KeyboardShows("light 3", {0, 0, 0}));
    // Colours are stored as GDI colours: blue is 0xFF0000.
    EXPECT_TRUE(DbShows("SELECT key_code, key_rgb FROM t_key_light_data WHERE key_rgb != 0 AND profile = " +
                            firstProfile_ + " ORDER BY key_code",
                        {{std::to_string(kPainted[0]), "16711680"},
                         {std::to_string(kPainted[1]), "16711680"},
                         {std::to_string(kPainted[2]), "16711680"}}));
    Shot("lighting");
    ASSERT_TRUE(BringBackSimulatedKeyboard());
    Shot("simulated-keyboard", SimulatedKeyboard());
    ASSERT_TRUE(PutSimulatedKeyboardAside());
  }

  void SwitchesProfilesAndBack() {
    ASSERT_TRUE(OpenTab(kKeysTab));
    ASSERT_TRUE(ClickControl(kAddProfile));
    ASSERT_TRUE(DbShows("SELECT COUNT(*) FROM t_profile_data", {{"4"}}));
    ASSERT_TRUE(ClickWhenShown([&] { return Part("row", kProfileList, 3); }));
    EXPECT_TRUE(program_->Eventually([&] { return !ActiveProfile().empty() && ActiveProfile() != firstProfile_; }));
    // The new profile has no assignments: the key filter lets go of the keyboard, whose keys reach the desktop.
    EXPECT_TRUE(KeyboardShows("served", {0}));
    ASSERT_TRUE(ClickWhenShown([&] { return Part("row", kProfileList, 0); }));
    EXPECT_TRUE(program_->Eventually([&] { return ActiveProfile() == firstProfile_; }));
    EXPECT_TRUE(TapGives("KEY_A", {{kUsageB}, {}}));
  }

  // Chooses row `row` of the language list; true once the label's text changed from `before`.
  bool ChooseLanguage(int row, const std::string& before) {
    if (!ClickControl(kLanguage)) return false;
    if (!ClickWhenShown([&] {
          // The drop-down list is a window of its own.
          const int main = MainWindow() ? MainWindow()->window : -1;
          return Find(controls_, [&](const ControlInfo& c) { return c.kind == "row" && c.index == row && c.window != main; });
        })) {
      return false;
    }
    return program_->Eventually([&] {
      Look();
      const auto label = Part("control", kLanguageLabel);
      return label.has_value() && label->text != before;
    });
  }

  void ChangesLanguageAndBack() {
    ASSERT_TRUE(OpenTab(kSettingsTab));
    ASSERT_TRUE(Shows(kLanguageLabel));
    const std::string english = Part("control", kLanguageLabel)->text;
    ASSERT_TRUE(ChooseLanguage(1, english));
    EXPECT_NE(Settings().find("LCID=2052"), std::string::npos) << Settings();
    Shot("settings-chinese");
    ASSERT_TRUE(ChooseLanguage(0, Part("control", kLanguageLabel)->text));
    EXPECT_EQ(Part("control", kLanguageLabel)->text, english);
    EXPECT_NE(Settings().find("LCID=1033"), std::string::npos) << Settings();
    Shot("settings");
  }

  void HidesToTheTrayAndComesBack() {
    ASSERT_TRUE(ClickControl(kCloseButton));
    // The first close asks what the button should do: hide to the tray.
    ASSERT_TRUE(program_->Eventually([&] {
      Look();
      return !MainWindow().has_value() || WindowTitled("CloseWindowTipDlg").has_value();
    }));
    if (WindowTitled("CloseWindowTipDlg")) {
      ASSERT_TRUE(ClickControl(kHideOption));
      ASSERT_TRUE(ClickControl(kCloseTipOk));
    }
    ASSERT_TRUE(program_->Eventually([&] {
      Look();
      return !MainWindow().has_value();
    }));
    EXPECT_TRUE(program_->Running());
    EXPECT_TRUE(tray_->CallItem("Activate", 10, 10));
    EXPECT_TRUE(program_->Eventually([&] {
      Look();
      return MainWindow().has_value();
    }));
  }

  void ExitsThroughTheTrayMenu() {
    const std::string database = Database();
    EXPECT_TRUE(tray_->CallItem("ContextMenu", 700, 300));
    ASSERT_TRUE(ClickWhenShown([&] { return PopupRow("Exit"); }));
    const std::optional<ProgramEnd> end = program_->WaitForEnd();
    ASSERT_TRUE(end.has_value());
    EXPECT_TRUE(end->exited);
    EXPECT_EQ(end->code, 0);
    EXPECT_EQ(Query(database, "PRAGMA integrity_check"), (Rows{{"ok"}}));
    EXPECT_EQ(Query(database, "SELECT COUNT(*) FROM t_key_macro_data WHERE profile = " + firstProfile_), (Rows{{"2"}}));
  }

 protected:
  std::string home_;
  std::string shots_;
  PrivateDisplay display_;
  zephuitest::PrivateSessionBus bus_;
  std::unique_ptr<TrayHost> tray_;
  std::unique_ptr<DemoDriver> program_;
  std::vector<ControlInfo> controls_;
  std::string firstProfile_;
  std::optional<ControlInfo> simulatedKeyboardHome_;  // where the "Simulated keyboard" window opened
};

TEST_F(ProductRun, EveryPageFromFirstStartToExitThroughTheTray) {
  const std::vector<std::pair<const char*, void (ProductRun::*)()>> steps{
      {"start", &ProductRun::StartsShowingTheKeyboard},
      {"key page", &ProductRun::AssignsAKeyFromThePicker},
      {"macro page", &ProductRun::RecordsAMacroAndBindsIt},
      {"lighting page", &ProductRun::ChangesLightingAndPaintsKeys},
      {"profiles", &ProductRun::SwitchesProfilesAndBack},
      {"settings page", &ProductRun::ChangesLanguageAndBack},
      {"tray", &ProductRun::HidesToTheTrayAndComesBack},
      {"exit", &ProductRun::ExitsThroughTheTrayMenu},
  };
  for (const auto& [name, step] : steps) {
    SCOPED_TRACE(name);
    (this->*step)();
    if (HasFatalFailure()) return;
  }
}

}  // namespace
