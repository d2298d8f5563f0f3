// The library's own file dialog: what it lists and how the filter and the
// folder rows change that; and, through a chooser limited to it, the saved
// name with its default extension, the question before a file is replaced,
// Escape, and exactly one answer per question.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/FileChooser.h"
#include "zephui/Headless.h"
#include "zephui/MComboBox.h"
#include "zephui/MFileDialog.h"
#include "zephui/MListBox.h"
#include "zephui/VirtualKeys.h"

using namespace ZephUI;
namespace fs = std::filesystem;

namespace zephuitest {
namespace {

// One scripted user action; false while what it waits for is not there yet.
using Step = std::function<bool()>;
std::deque<Step> g_steps;
HWND g_dialog = nullptr;  // the file dialog, once a step found it (its question has the same title)

// Ticks inside whatever modal loop is up and runs the script one step at a time.
void RunStep(HWND owner, UINT, std::uintptr_t id, std::uint32_t) {
  if (g_steps.empty()) {
    KillTimer(owner, id);
  } else if (g_steps.front()()) {
    g_steps.pop_front();
  }
}

class FileDialogTest : public HeadlessFixture {
 protected:
  void SetUp() override {
    HeadlessFixture::SetUp();
    Headless::SetClockMode(Headless::ClockMode::AutoAdvance);
    owner_ = MakeWindow(100, 100, 900, 700);
    folder_ = fs::path(TempPath("files")).lexically_normal().string();
    for (const char* sub : {"beta", "Alpha", ".cache"}) fs::create_directories(folder_ + "/" + sub);
    for (const char* file : {"zeta.xml", "a.XML", "notes.txt", ".hidden.xml"}) std::ofstream(folder_ + "/" + file) << "x";
  }
  void TearDown() override {
    g_steps.clear();
    HeadlessFixture::TearDown();
  }

  FileChooserRequest Request(FileChooserMode mode) const {
    FileChooserRequest request;
    request.mode = mode;
    request.title = u"Export profile";
    request.filters = {{u"Profile (*.xml)", {u"*.xml"}}, {u"All files", {u"*"}}};
    request.defaultExtension = u"xml";
    request.folder = folder_;
    request.owner = owner_;
    return request;
  }

  static std::vector<std::u16string> Rows(const MFileDialog& dialog) {
    const auto* list = static_cast<const MListBox*>(dialog.GetControl(FILEDIALOG_LIST_ID));
    std::vector<std::u16string> rows;
    for (int i = 0; list != nullptr && i < list->GetItemCount(); ++i) rows.push_back(list->GetItemText(i));
    return rows;
  }

  static HWND Dialog() { return FindWindow(u"ZephClient", u"Export profile"); }

  // Opens the name field's editor, types `name` and presses Enter.
  static Step TypeName(std::u16string name) {
    return [name] {
      g_dialog = Dialog();
      if (g_dialog == nullptr) return false;
      Headless::ClickClient(g_dialog, 300, 331);
      Headless::TypeText(name);
      Headless::PressKey(VK_RETURN);
      return true;
    };
  }
  // Presses `key` once a window other than the dialog (the question) is active.
  static Step AnswerQuestion(std::uint32_t key) {
    return [key] {
      const HWND active = GetActiveWindow();
      if (active == nullptr || active == g_dialog) return false;
      Headless::PressKey(key);
      return true;
    };
  }

  HWND owner_ = nullptr;
  std::string folder_;
};

TEST_F(FileDialogTest, ListsFoldersFirstThenTheFilesTheFilterMatches) {
  MFileDialog dialog(Request(FileChooserMode::Open));
  ASSERT_NE(dialog.CreateChooser(owner_), nullptr);
  EXPECT_EQ(Rows(dialog), (std::vector<std::u16string>{u"Alpha/", u"beta/", u"a.XML", u"zeta.xml"}));

  auto* filter = static_cast<MComboBox*>(dialog.GetControl(FILEDIALOG_FILTER_ID));
  filter->SetCurSel(1);
  dialog.OnMessage(FILEDIALOG_FILTER_ID, NOTIFY_CLICKED, 1, 0);
  EXPECT_EQ(Rows(dialog), (std::vector<std::u16string>{u"Alpha/", u"beta/", u"a.XML", u"notes.txt", u"zeta.xml"}));

  // A double click on a folder row opens it; the up button comes back.
  dialog.ShowWindow(SW_SHOWNORMAL);
  Headless::Pump();
  const Rect row = static_cast<MListBox*>(dialog.GetControl(FILEDIALOG_LIST_ID))->GetItemRect(1);
  const int x = (row.left + row.right) / 2;
  const int y = (row.top + row.bottom) / 2;
  Headless::ClickClient(dialog.GetSafeHwnd(), x, y);
  Headless::ClickClient(dialog.GetSafeHwnd(), x, y);
  Headless::Pump();
  EXPECT_EQ(dialog.Folder(), folder_ + "/beta");
  EXPECT_TRUE(Rows(dialog).empty());
  Headless::ClickClient(dialog.GetSafeHwnd(), 35, 63);
  Headless::Pump();
  EXPECT_EQ(dialog.Folder(), folder_);

  // What cannot be listed says so instead of failing.
  EXPECT_FALSE(dialog.GetControl(FILEDIALOG_NOTE_ID)->IsVisible());
  EXPECT_FALSE(dialog.OpenFolder(folder_ + "/notes.txt"));
  EXPECT_TRUE(dialog.GetControl(FILEDIALOG_NOTE_ID)->IsVisible());
  EXPECT_TRUE(Rows(dialog).empty());
}

TEST_F(FileDialogTest, WithoutAFolderItStartsInTheDocumentsFolderTheDesktopNames) {
  const std::string home = TempPath("home");
  fs::create_directories(home + "/config");
  const std::string realHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
  std::ofstream(home + "/config/user-dirs.dirs") << "# written by the desktop\nXDG_DOCUMENTS_DIR=\"$HOME/My Papers\"\n";
  FileChooserRequest request = Request(FileChooserMode::Open);
  request.folder.clear();
  {
    MFileDialog missing(request);  // the named folder does not exist yet: home instead
    ASSERT_NE(missing.CreateChooser(owner_), nullptr);
    EXPECT_EQ(missing.Folder(), home);
  }
  fs::create_directories(home + "/My Papers");
  MFileDialog dialog(request);
  ASSERT_NE(dialog.CreateChooser(owner_), nullptr);
  EXPECT_EQ(dialog.Folder(), home + "/My Papers");
  setenv("HOME", realHome.c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
}

TEST_F(FileDialogTest, SavingAddsTheExtensionAsksBeforeReplacingAndAnswersOnce) {
  FileChooser chooser(FileChooserBackend::OwnDialog);
  std::vector<FileChooserAnswer> answers;
  const auto ask = [&] {
    return chooser.Ask(Request(FileChooserMode::Save), [&answers](const FileChooserAnswer& a) { answers.push_back(a); });
  };
  const auto run = [this](std::deque<Step> steps) {
    g_steps = std::move(steps);
    SetTimer(owner_, 1, 50, &RunStep);
    Headless::Pump();  // the dialog runs modally in here
  };

  ASSERT_TRUE(ask());
  EXPECT_FALSE(ask());  // one question at a time
  run({TypeName(u"t40")});
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].outcome, FileChooserOutcome::Chosen);
  EXPECT_EQ(answers[0].route, FileChooserRoute::OwnDialog);
  EXPECT_EQ(answers[0].path, folder_ + "/t40.xml");

  // "zeta" becomes the existing zeta.xml: No keeps the dialog open, Yes takes the file.
  ASSERT_TRUE(ask());
  run({TypeName(u"zeta"), AnswerQuestion(VK_ESCAPE),
       [] {
         if (GetActiveWindow() != g_dialog) return false;
         Headless::PressKey(VK_RETURN);  // the name is still there: Save again
         return true;
       },
       AnswerQuestion(VK_RETURN)});
  EXPECT_TRUE(g_steps.empty());
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[1].outcome, FileChooserOutcome::Chosen);
  EXPECT_EQ(answers[1].path, folder_ + "/zeta.xml");

  ASSERT_TRUE(ask());
  run({[] {
    if (Dialog() == nullptr) return false;
    Headless::PressKey(VK_ESCAPE);
    return true;
  }});
  Headless::RunFor(1000);
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_EQ(answers[2].outcome, FileChooserOutcome::Cancelled);
  EXPECT_TRUE(answers[2].path.empty());
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_FALSE(chooser.Pending());
}

}  // namespace
}  // namespace zephuitest
