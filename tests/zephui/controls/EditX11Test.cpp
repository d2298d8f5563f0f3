// An edit field on a real X server (the test's private Xvfb): a click opens
// its editor and keys typed through the X input method land in it, plain
// letters and a character that no key of the layout carries.
#include <gtest/gtest.h>

#include "zephui/MDialog.h"
#include "zephui/MEdit.h"
#include "zephui/Window.h"

// X's headers define words (Always, None) that the library's headers use as names.
#include "tests/zephui/backend/X11Fixture.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

using namespace ZephUI;

namespace zephuitest {
namespace {

constexpr Rect kWindow{40, 40, 440, 240};
constexpr Rect kField{20, 20, 300, 52};

class EditOnX11 : public X11Fixture {
 protected:
  void Tap(KeyCode code) {
    XTestFakeKeyEvent(client_, code, True, CurrentTime);
    XTestFakeKeyEvent(client_, code, False, CurrentTime);
    XFlush(client_);
  }
  // A keycode the layout leaves empty, given `sym` for the rest of the test.
  KeyCode Borrow(KeySym sym) {
    int first = 0;
    int last = 0;
    XDisplayKeycodes(client_, &first, &last);
    for (int code = last; code >= first; --code) {
      int width = 0;
      KeySym* syms = XGetKeyboardMapping(client_, static_cast<KeyCode>(code), 1, &width);
      const bool empty = syms == nullptr || syms[0] == NoSymbol;
      XFree(syms);
      if (!empty) continue;
      XChangeKeyboardMapping(client_, code, 1, &sym, 1);
      XSync(client_, False);
      return static_cast<KeyCode>(code);
    }
    return 0;
  }
};

TEST_F(EditOnX11, KeysTypedThroughTheInputMethodReachTheEditor) {
  MDialog dialog;
  const HWND hwnd = dialog.Create(nullptr, u"Edit", WS_POPUP | WS_VISIBLE, 0, kWindow);
  ASSERT_NE(hwnd, nullptr);
  auto* edit = dynamic_cast<MEdit*>(dialog.CreateControl(u"MEdit", 5, kField, u"", true, true));
  ASSERT_NE(edit, nullptr);
  ASSERT_TRUE(PumpUntil([hwnd] { return IsWindowVisible(hwnd); }));
  XTestFakeMotionEvent(client_, 0, kWindow.left + 100, kWindow.top + 36, CurrentTime);
  XTestFakeButtonEvent(client_, 1, True, CurrentTime);
  XTestFakeButtonEvent(client_, 1, False, CurrentTime);
  XFlush(client_);
  ASSERT_TRUE(PumpUntil([edit] { return edit->IsEditFocused() && GetFocus() == edit->GetEditWindow(); }));

  Tap(XKeysymToKeycode(client_, XK_a));
  Tap(XKeysymToKeycode(client_, XK_b));
  ASSERT_TRUE(PumpUntil([edit] { return edit->GetEditText() == u"ab"; })) << edit->GetEditText().size();
  const KeyCode ni = Borrow(0x1004F60);  // the keysym of U+4F60, a Chinese character
  ASSERT_NE(ni, 0);
  Tap(ni);
  EXPECT_TRUE(PumpUntil([edit] { return edit->GetEditText() == u"ab\u4F60"; })) << edit->GetEditText().size();
  const KeySym none = NoSymbol;
  XChangeKeyboardMapping(client_, ni, 1, const_cast<KeySym*>(&none), 1);
  XSync(client_, False);
}

}  // namespace
}  // namespace zephuitest
