// Posting and sending across threads, and the order in which a queue hands
// out what it holds.
#include <future>
#include <thread>

#include "tests/zephui/backend/HeadlessFixture.h"
#include "zephui/Headless.h"
#include "zephui/Message.h"
#include "zephui/ModalLoop.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

class MessageQueue : public HeadlessFixture {};

TEST_F(MessageQueue, SendFromAnotherThreadRunsOnTheOwningThreadAndReturnsItsResult) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  std::thread::id handledOn;
  Procedure(w).On(WM_USER + 1, [&](HWND, WPARAM wParam, LPARAM) {
    handledOn = std::this_thread::get_id();
    return static_cast<LRESULT>(wParam * 2);
  });
  ModalLoop loop;
  LRESULT result = 0;
  std::thread sender([&] {
    result = SendMessage(w, WM_USER + 1, 21, 0);
    loop.End(0);
  });
  loop.Run();
  sender.join();
  EXPECT_EQ(result, 42);
  EXPECT_EQ(handledOn, std::this_thread::get_id());
}

TEST_F(MessageQueue, AThreadWaitingForItsSendStillAnswersSendsToItself) {
  const HWND mine = MakeWindow(0, 0, 100, 100);
  Procedure(mine).On(WM_USER + 2, [](HWND, WPARAM, LPARAM) -> LRESULT { return 5; });
  RecordingProcedure theirProcedure;
  ModalLoop theirLoop;
  std::promise<HWND> created;
  std::thread other([&] {
    const HWND theirs = CreateWindowEx(0, u"HeadlessTest", u"", WS_POPUP, 0, 0, 10, 10, nullptr, &theirProcedure);
    created.set_value(theirs);
    theirLoop.Run();
    DestroyWindow(theirs);
  });
  const HWND theirs = created.get_future().get();
  // Their handler calls back into this thread while this thread waits for it.
  theirProcedure.On(WM_USER + 1, [mine](HWND, WPARAM, LPARAM) { return SendMessage(mine, WM_USER + 2, 0, 0) + 1; });
  EXPECT_EQ(SendMessage(theirs, WM_USER + 1, 0, 0), 6);
  theirLoop.End(0);
  other.join();
  EXPECT_FALSE(IsWindow(theirs));
}

TEST_F(MessageQueue, PostsFromAnotherThreadArriveInOrder) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  std::thread poster([w] {
    for (WPARAM i = 0; i < 200; ++i) PostMessage(w, WM_USER, i, 0);
  });
  poster.join();
  Headless::Pump();
  std::vector<WPARAM> order;
  for (const Seen& s : Procedure(w).All()) {
    if (s.message == WM_USER) order.push_back(s.wParam);
  }
  ASSERT_EQ(order.size(), 200u);
  for (WPARAM i = 0; i < 200; ++i) EXPECT_EQ(order[i], i);
}

TEST_F(MessageQueue, PostingOrSendingToAGoneWindowFails) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  DestroyWindow(w);
  EXPECT_FALSE(PostMessage(w, WM_USER, 0, 0));
  EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 0);
}

TEST_F(MessageQueue, QuitIsRetrievedOnlyAfterThePostedMessages) {
  const HWND w = MakeWindow(0, 0, 100, 100);
  Headless::Pump();
  PostMessage(w, WM_USER + 1, 0, 0);
  PostQuitMessage(3);
  PostMessage(w, WM_USER + 2, 0, 0);
  MSG msg;
  ASSERT_TRUE(GetMessage(msg));
  EXPECT_EQ(msg.message, WM_USER + 1);
  ASSERT_TRUE(GetMessage(msg));
  EXPECT_EQ(msg.message, WM_USER + 2);
  EXPECT_FALSE(GetMessage(msg));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessage(msg));
}

TEST_F(MessageQueue, PumpLeavesQuitForTheLoopThatOwnsIt) {
  MakeWindow(0, 0, 100, 100);
  PostQuitMessage(8);
  Headless::Pump();
  MSG msg;
  EXPECT_FALSE(GetMessage(msg));
  EXPECT_EQ(msg.wParam, 8u);
}

TEST_F(MessageQueue, AThreadThatEndsTakesItsWindowsWithItAndSendsToThemFail) {
  RecordingProcedure theirProcedure;
  HWND theirs = nullptr;
  std::thread other([&] {
    theirs = CreateWindowEx(0, u"HeadlessTest", u"", WS_POPUP, 0, 0, 10, 10, nullptr, &theirProcedure);
    theirProcedure.On(WM_USER, [](HWND, WPARAM, LPARAM) -> LRESULT { return 1; });
  });
  other.join();  // ends without destroying its window
  ASSERT_NE(theirs, nullptr);
  EXPECT_FALSE(IsWindow(theirs));
  EXPECT_EQ(SendMessage(theirs, WM_USER, 0, 0), 0);
  EXPECT_FALSE(PostMessage(theirs, WM_USER, 0, 0));
  EXPECT_EQ(theirProcedure.Count(WM_USER), 0);
  EXPECT_EQ(theirProcedure.Count(WM_DESTROY), 0);  // its procedure might have ended with the thread
}

}  // namespace
}  // namespace zephuitest
