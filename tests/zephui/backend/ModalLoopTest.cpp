// Nested message loops and the main loop of Manager.
#include <thread>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Headless.h"
#include "zephui/Manager.h"
#include "zephui/Message.h"
#include "zephui/ModalLoop.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

class ModalLoops : public HeadlessFixture {};

constexpr UINT kOpenInner = WM_USER + 1;
constexpr UINT kDuringInner = WM_USER + 2;
constexpr UINT kAfterInner = WM_USER + 3;

TEST_F(ModalLoops, AnInnerLoopEndsWithItsCodeAndTheOuterLoopGoesOn) {
  Headless::SetClockMode(Headless::ClockMode::AutoAdvance);  // the waiting loops move time to the timer
  const HWND w = MakeWindow(0, 0, 100, 100);
  ModalLoop outer;
  ModalLoop inner;
  std::vector<std::string> log;
  ModalResult innerResult;
  Procedure(w).On(kOpenInner, [&](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
    SetTimer(hwnd, 1, 500);
    PostMessage(hwnd, kDuringInner, 0, 0);
    innerResult = inner.Run();
    log.push_back("inner returned");
    PostMessage(hwnd, kAfterInner, 0, 0);
    return 0;
  });
  Procedure(w).On(kDuringInner, [&](HWND, WPARAM, LPARAM) -> LRESULT {
    log.push_back(inner.IsRunning() ? "handled inside" : "handled outside");
    return 0;
  });
  Procedure(w).On(WM_TIMER, [&](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
    KillTimer(hwnd, 1);
    inner.End(6);
    return 0;
  });
  Procedure(w).On(kAfterInner, [&](HWND, WPARAM, LPARAM) -> LRESULT {
    outer.End(1);
    return 0;
  });
  PostMessage(w, kOpenInner, 0, 0);
  const ModalResult outerResult = outer.Run();
  EXPECT_EQ(innerResult.how, LoopEnd::Ended);
  EXPECT_EQ(innerResult.code, 6);
  EXPECT_EQ(outerResult.how, LoopEnd::Ended);
  EXPECT_EQ(outerResult.code, 1);
  EXPECT_EQ(log, (std::vector<std::string>{"handled inside", "inner returned"}));
  EXPECT_FALSE(outer.IsRunning());
}

TEST_F(ModalLoops, QuitEndsTheInnerLoopAndReachesTheOuterOne) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  ModalLoop inner;
  ModalResult innerResult;
  Procedure(w).On(kOpenInner, [&](HWND, WPARAM, LPARAM) -> LRESULT {
    PostQuitMessage(9);
    innerResult = inner.Run();
    return 0;
  });
  PostMessage(w, kOpenInner, 0, 0);
  ModalLoop outer;
  const ModalResult outerResult = outer.Run();
  EXPECT_EQ(innerResult.how, LoopEnd::Quit);
  EXPECT_EQ(innerResult.code, 9);
  EXPECT_EQ(outerResult.how, LoopEnd::Quit);
  EXPECT_EQ(outerResult.code, 9);
}

TEST_F(ModalLoops, EndFromAnotherThreadWakesASleepingLoop) {
  ModalLoop loop;
  std::thread ender([&loop] { loop.End(4); });
  const ModalResult result = loop.Run();
  ender.join();
  EXPECT_EQ(result.code, 4);
}

TEST_F(ModalLoops, AFilterConsumesMessagesBeforeTheyAreDispatched) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  ModalLoop loop;
  Procedure(w).On(kAfterInner, [&](HWND, WPARAM, LPARAM) -> LRESULT {
    loop.End(0);
    return 0;
  });
  PostMessage(w, kDuringInner, 0, 0);
  PostMessage(w, kAfterInner, 0, 0);
  loop.Run([](const MSG& msg) { return msg.message == kDuringInner; });
  EXPECT_EQ(Procedure(w).Count(kDuringInner), 0);
  EXPECT_EQ(Procedure(w).Count(kAfterInner), 1);
}

TEST_F(ModalLoops, TheMainLoopDropsWhatArrivesWhileAltAndF4AreHeld) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  Headless::Pump();
  Headless::KeyDown(VK_MENU);
  Headless::KeyDown(VK_F4);  // would close the window through DefWindowProc
  PostMessage(w, WM_USER + 5, 0, 0);
  PostQuitMessage(0);
  EXPECT_EQ(Manager::MessageLoop(), 0);
  EXPECT_TRUE(IsWindow(w));
  EXPECT_EQ(Procedure(w).Count(WM_USER + 5), 0);
  EXPECT_EQ(Procedure(w).Count(WM_SYSKEYDOWN), 0);

  Headless::KeyUp(VK_F4);
  Headless::KeyUp(VK_MENU);
  PostMessage(w, WM_USER + 6, 0, 0);
  PostQuitMessage(2);
  EXPECT_EQ(Manager::MessageLoop(), 2);
  EXPECT_EQ(Procedure(w).Count(WM_USER + 6), 1);
}

TEST_F(ModalLoops, WithoutTheMainLoopsFilterAltF4ClosesTheWindow) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  Headless::KeyDown(VK_MENU);
  Headless::PressKey(VK_F4);
  Headless::KeyUp(VK_MENU);
  Headless::Pump();
  EXPECT_FALSE(IsWindow(w));
}

}  // namespace
}  // namespace zephuitest
