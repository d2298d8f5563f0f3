// Large clipboard texts under X11, with another client on a thread of its
// own: served to it in INCR pieces, read from it in INCR pieces, and an
// owner that stops sending halfway.
#include "tests/zephui/backend/X11Fixture.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/zephui/backend/SelectionPeer.h"
#include "zephui/Clipboard.h"
#include "zephui/Text.h"

using namespace ZephUI;

namespace zephuitest {
namespace {

// Numbered lines mixing one-, two- and three-byte UTF-8 characters, so pieces split characters.
std::u16string LargeText(int lines) {
  std::u16string text;
  for (int i = 0; i < lines; ++i) text += u"line " + ToUtf16(std::to_string(i)) + u" caf\u00e9 \u4e2d\u6587 ok\n";
  return text;
}

class X11Clipboard : public X11Fixture {};

TEST_F(X11Clipboard, ALargeTextIsServedToAnotherClientInPieces) {
  const std::u16string text = LargeText(40000);  // about a megabyte of UTF-8
  ASSERT_TRUE(SetClipboardText(text));
  std::atomic<bool> done{false};
  ReceivedSelection received;
  std::thread peer([&] {
    SelectionPeer reader;
    received = reader.Read();
    done = true;
  });
  const bool finished = PumpUntil([&] { return done.load(); });
  peer.join();
  ASSERT_TRUE(finished);
  EXPECT_TRUE(received.incremental);
  EXPECT_GE(received.pieces, 4);
  EXPECT_EQ(received.bytes.size(), ToUtf8(text).size());
  EXPECT_TRUE(received.bytes == ToUtf8(text));
}

TEST_F(X11Clipboard, ALargeTextFromAnotherClientIsReadInPieces) {
  const std::string text = ToUtf8(LargeText(30000));
  SelectionPeer owner;
  owner.Own();
  std::thread peer([&] { owner.ServeIncrementally(text, 100000); });
  const auto read = GetClipboardText();
  peer.join();
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->size(), LargeText(30000).size());
  EXPECT_TRUE(*read == LargeText(30000));
}

TEST_F(X11Clipboard, AnOwnerThatStopsHalfwayYieldsNoTextAndTheNextReadWorks) {
  const std::string text = ToUtf8(LargeText(5000));
  {
    SelectionPeer owner;
    owner.Own();
    std::thread peer([&] { owner.ServeIncrementally(text, 20000, 2); });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(GetClipboardText().has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    peer.join();
  }
  SelectionPeer owner;
  owner.Own();
  std::thread peer([&] { owner.ServeIncrementally(text, 50000); });
  const auto read = GetClipboardText();
  peer.join();
  ASSERT_TRUE(read.has_value());
  EXPECT_TRUE(*read == LargeText(5000));
}

}  // namespace
}  // namespace zephuitest
