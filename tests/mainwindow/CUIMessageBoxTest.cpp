// The skinned message box and the virtual keyboard's start-up: which button
// gives which result, a close from outside, and the install-failure path.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "macros/virtualdevice/CommandRunner.h"
#include "macros/virtualdevice/DriverInstaller.h"
#include "macros/virtualdevice/VHidev.h"
#include "mainwindow/CUIMessageBox.h"
#include "mainwindow/VirtualKeyboardStart.h"
#include "tests/fakes/FakeVirtualHidBackend.h"
#include "zephui/Backend.h"
#include "zephui/ControlTypes.h"
#include "zephui/Headless.h"
#include "zephui/MControl.h"
#include "zephui/Message.h"
#include "zephui/Window.h"

using namespace ZephUI;

namespace {

// What to do with the box once it is up; run from a timer inside its modal loop.
std::function<void(HWND box)> g_act;
int g_sawBox = 0;

void ActOnBox(HWND hwnd, UINT, std::uintptr_t id, std::uint32_t) {
  const HWND box = FindWindow(u"ZephClient", u"MessageBox");
  if (box == nullptr) return;
  KillTimer(hwnd, id);
  ++g_sawBox;
  g_act(box);
}

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SelectBackend(BackendKind::Headless));
    Headless::Reset();
    Headless::SetClockMode(Headless::ClockMode::AutoAdvance);
    RegisterWindowClass(u"BoxTestOwner", 0);
    owner_ = CreateWindowEx(0, u"BoxTestOwner", u"", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, &procedure_);
    g_sawBox = 0;
  }
  void TearDown() override { Headless::Reset(); }

  // Shows a box and lets `act` handle it from inside the modal loop.
  int ShowAndAct(int style, std::function<void(HWND)> act) {
    g_act = std::move(act);
    SetTimer(owner_, 1, 50, &ActOnBox);
    return CUIMessageBox::Show(u"Something happened", owner_, u"Notice", style);
  }

  // Queued: the box's own modal loop handles the click.
  static void ClickAt(HWND box, int x, int y) { Headless::ClickClient(box, x, y); }

  struct Quiet : WindowProcedure {
    LRESULT HandleMessage(HWND h, UINT m, WPARAM w, LPARAM l) override { return DefWindowProc(h, m, w, l); }
  } procedure_;
  HWND owner_ = nullptr;
};

TEST_F(MessageBoxTest, TheOneButtonBoxShowsItsTextsAndClosesWithOne) {
  const int result = ShowAndAct(CUIMessageBox::kOneButton, [](HWND box) {
    Rect client;
    GetClientRect(box, client);
    EXPECT_EQ(client, (Rect{0, 0, 380, 200}));
    EXPECT_FALSE(IsWindowEnabled(GetOwner(box)));  // modal over its owner
    ClickAt(box, 190, 175);
  });
  EXPECT_EQ(g_sawBox, 1);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(FindWindow(u"ZephClient", u"MessageBox"), nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(MessageBoxTest, TheTwoButtonBoxGivesOneOrTwoAndAnOutsideCloseGivesTwo) {
  EXPECT_EQ(ShowAndAct(CUIMessageBox::kTwoButtons, [](HWND box) { ClickAt(box, 120, 175); }), 1);
  EXPECT_EQ(ShowAndAct(CUIMessageBox::kTwoButtons, [](HWND box) { ClickAt(box, 260, 175); }), 2);
  // The main window closes stray boxes with WM_CLOSE and wParam 2.
  EXPECT_EQ(ShowAndAct(CUIMessageBox::kTwoButtons, [](HWND box) { PostMessage(box, WM_CLOSE, 2, 0); }), 2);
  EXPECT_EQ(g_sawBox, 3);
}

TEST_F(MessageBoxTest, ABoxWithAnUnknownStyleHasNoButtonToPress) {
  const int result = ShowAndAct(7, [](HWND box) {
    ClickAt(box, 190, 175);  // where the single button would be
    // Closed from outside a little later, once the click has been handled.
    SetTimer(box, 9, 100, [](HWND hwnd, UINT, std::uintptr_t, std::uint32_t) { PostMessage(hwnd, WM_CLOSE, 3, 0); });
  });
  EXPECT_EQ(result, 3);  // the click did not close it first
}

// Refuses every command, as a dismissed password prompt does.
class RefusingRunner : public CommandRunner {
 public:
  std::optional<int> RunAndWait(const std::vector<std::string>&) override {
    ++calls;
    return std::nullopt;
  }
  int calls = 0;
};

TEST(VirtualKeyboardStart, AnOpenDeviceGoesOnAndAFailedInstallEndsAfterTellingOnce) {
  auto working = std::make_unique<FakeVirtualHidBackend>();
  FakeVirtualHidBackend* workingBackend = working.get();
  VHidev good(std::move(working));
  RefusingRunner runner;
  DriverInstaller goodInstaller(good, runner, "/nonexistent/helper");
  int told = 0;
  EXPECT_EQ(StartVirtualKeyboard(good, goodInstaller, [&] { ++told; }), StartupOutcome::Continue);
  EXPECT_EQ(told, 0);
  EXPECT_FALSE(workingBackend->writes.empty());  // the reports were zeroed

  auto refusing = std::make_unique<FakeVirtualHidBackend>();
  refusing->refuseOpen = true;
  VHidev bad(std::move(refusing));
  DriverInstaller badInstaller(bad, runner, "/nonexistent/helper");
  EXPECT_EQ(StartVirtualKeyboard(bad, badInstaller, [&] { ++told; }), StartupOutcome::EndProgram);
  EXPECT_EQ(told, 1);
  EXPECT_GE(runner.calls, 1);
}

}  // namespace
