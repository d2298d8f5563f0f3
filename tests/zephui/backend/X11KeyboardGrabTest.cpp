// The keyboard grab on the binary's private Xvfb: keys typed through XTEST
// come to the grabbing window as grab messages (press and release with the
// key's input code and virtual key) and no other client can have the
// keyboard meanwhile; once the grab ends, whichever way, another client can.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <linux/input-event-codes.h>

#include <memory>
#include <vector>

#include "tests/zephui/backend/X11Fixture.h"
#include "zephui/KeyboardGrab.h"
#include "zephui/Window.h"

using namespace ZephUI;

namespace {

constexpr UINT kGrabMessage = 0x400 + 77;

class X11KeyboardGrab : public zephuitest::X11Fixture {
 protected:
  void SetUp() override {
    X11Fixture::SetUp();
    if (IsSkipped()) return;
    window_ = MakePainted(Rect{100, 100, 300, 200}, 0x3366AA);
    ASSERT_NE(window_, nullptr);
  }
  // Whether the test's own client can take the keyboard now; it gives it straight back.
  bool OtherClientCanGrab() {
    const int status = XGrabKeyboard(client_, DefaultRootWindow(client_), False, GrabModeAsync, GrabModeAsync,
                                     CurrentTime);
    if (status == GrabSuccess) XUngrabKeyboard(client_, CurrentTime);
    XSync(client_, False);
    return status == GrabSuccess;
  }
  std::vector<GrabbedKey> Grabbed() {
    std::vector<GrabbedKey> keys;
    for (const zephuitest::Seen& seen : Procedure(window_).All()) {
      if (seen.message == kGrabMessage) keys.push_back(KeyboardGrab::Decode(seen.wParam, seen.lParam));
    }
    return keys;
  }
  void Key(KeySym sym, bool down) {
    XTestFakeKeyEvent(client_, XKeysymToKeycode(client_, sym), down ? True : False, CurrentTime);
    XFlush(client_);
  }

  HWND window_ = nullptr;
};

TEST_F(X11KeyboardGrab, EveryKeyComesToTheGrabbingWindowAndNoOtherClientGetsTheKeyboard) {
  KeyboardGrab grab;
  ASSERT_EQ(grab.Grab(window_, kGrabMessage), GrabResult::Grabbed);
  EXPECT_FALSE(OtherClientCanGrab());
  Key(XK_a, true);
  Key(XK_a, false);
  Key(XK_Home, true);
  Key(XK_Home, false);
  ASSERT_TRUE(PumpUntil([this] { return Grabbed().size() >= 4; }));
  const std::vector<GrabbedKey> keys = Grabbed();
  ASSERT_EQ(keys.size(), 4u);
  const GrabbedKeyAction expected[] = {GrabbedKeyAction::Press, GrabbedKeyAction::Release, GrabbedKeyAction::Press,
                                       GrabbedKeyAction::Release};
  for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(keys[i].action, expected[i]) << i;
  EXPECT_EQ(keys[0].keyCode, static_cast<std::uint32_t>(KEY_A));
  EXPECT_EQ(keys[0].vk, static_cast<std::uint32_t>('A'));
  EXPECT_EQ(keys[2].keyCode, static_cast<std::uint32_t>(KEY_HOME));
  EXPECT_EQ(Procedure(window_).Count(WM_KEYDOWN), 0) << "grabbed keys are not typed into the window";

  grab.Release();
  EXPECT_FALSE(grab.IsActive());
  EXPECT_EQ(KeyboardGrabOwner(), nullptr);
  EXPECT_TRUE(OtherClientCanGrab());
}

TEST_F(X11KeyboardGrab, TheGrabEndsWhenItsWindowHidesOrGoesOrItsObjectGoes) {
  KeyboardGrab grab;
  ASSERT_EQ(grab.Grab(window_, kGrabMessage), GrabResult::Grabbed);
  ShowWindow(window_, SW_HIDE);
  EXPECT_FALSE(grab.IsActive());
  EXPECT_TRUE(OtherClientCanGrab());

  ShowWindow(window_, SW_SHOW);
  ASSERT_EQ(grab.Grab(window_, kGrabMessage), GrabResult::Grabbed);
  EXPECT_FALSE(OtherClientCanGrab());
  DestroyWindow(window_);
  EXPECT_EQ(KeyboardGrabOwner(), nullptr);
  EXPECT_TRUE(OtherClientCanGrab());

  const HWND other = MakePainted(Rect{400, 100, 500, 200}, 0x55AA33);
  {
    KeyboardGrab scoped;
    ASSERT_EQ(scoped.Grab(other, kGrabMessage), GrabResult::Grabbed);
    EXPECT_FALSE(OtherClientCanGrab());
  }
  EXPECT_TRUE(OtherClientCanGrab());

  // A keyboard another client holds is refused, and nothing is left behind.
  ASSERT_EQ(XGrabKeyboard(client_, DefaultRootWindow(client_), False, GrabModeAsync, GrabModeAsync, CurrentTime),
            GrabSuccess);
  XSync(client_, False);
  EXPECT_EQ(grab.Grab(other, kGrabMessage), GrabResult::Refused);
  EXPECT_EQ(KeyboardGrabOwner(), nullptr);
  XUngrabKeyboard(client_, CurrentTime);
  XSync(client_, False);
}

}  // namespace
