// Decoding single-key capture events and which keys each capturer takes.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "macros/recorder/KeyCapture.h"

namespace {

CapturedInput keyboardPress(int virtualKey, std::u16string name = u"x") {
  return {InputKind::Keyboard, KeyAction::Press, virtualKey, std::move(name)};
}

TEST(RecorderKeyCapture, KeysDecodeWithTheirRecordedCodeAndName) {
  const CapturedInput a = KeyCapture::decode({EV_KEY, KEY_A, 1});
  EXPECT_EQ(a.kind, InputKind::Keyboard);
  EXPECT_EQ(a.action, KeyAction::Press);
  EXPECT_EQ(a.virtualKey, 'A');
  EXPECT_EQ(a.name, u"A");
  const CapturedInput shift = KeyCapture::decode({EV_KEY, KEY_LEFTSHIFT, 0});
  EXPECT_EQ(shift.action, KeyAction::Release);
  EXPECT_EQ(shift.virtualKey, 160);
  EXPECT_EQ(shift.name, u"Shift");
  EXPECT_EQ(KeyCapture::decode({EV_KEY, KEY_VOLUMEUP, 1}).name, u"Vol Up");
  EXPECT_EQ(KeyCapture::decode({EV_KEY, KEY_KPENTER, 1}).virtualKey, 108);
}

TEST(RecorderKeyCapture, PointerEventsAreMouseAndCarryNoKey) {
  const CapturedInput button = KeyCapture::decode({EV_KEY, BTN_LEFT, 1});
  EXPECT_EQ(button.kind, InputKind::Mouse);
  EXPECT_EQ(button.virtualKey, 0);
  EXPECT_EQ(KeyCapture::decode({EV_REL, REL_X, 3}).kind, InputKind::Mouse);
  EXPECT_EQ(KeyCapture::decode({EV_MSC, MSC_SCAN, 4}).kind, InputKind::Other);
}

TEST(RecorderKeyCapture, KeysWithoutAVirtualKeyHaveNoName) {
  const CapturedInput ro = KeyCapture::decode({EV_KEY, KEY_RO, 1});
  EXPECT_EQ(ro.kind, InputKind::Keyboard);
  EXPECT_EQ(ro.virtualKey, 0);
  EXPECT_TRUE(ro.name.empty());
  EXPECT_FALSE(KeyCapture::takesKey(ro, CaptureTarget::MacroKeyEditor));
}

TEST(RecorderKeyCapture, TheCustomKeyDialogIgnoresShiftCtrlAndAlt) {
  for (int virtualKey = 160; virtualKey <= 165; ++virtualKey) {
    EXPECT_FALSE(KeyCapture::takesKey(keyboardPress(virtualKey), CaptureTarget::CustomKeyDialog)) << virtualKey;
    EXPECT_TRUE(KeyCapture::takesKey(keyboardPress(virtualKey), CaptureTarget::MacroKeyEditor)) << virtualKey;
  }
  EXPECT_TRUE(KeyCapture::takesKey(keyboardPress(159), CaptureTarget::CustomKeyDialog));
  EXPECT_TRUE(KeyCapture::takesKey(keyboardPress(166), CaptureTarget::CustomKeyDialog));
}

TEST(RecorderKeyCapture, OnlyKeyPressesAreTaken) {
  CapturedInput release = keyboardPress('A');
  release.action = KeyAction::Release;
  EXPECT_FALSE(KeyCapture::takesKey(release, CaptureTarget::MacroKeyEditor));
  const CapturedInput mouse{InputKind::Mouse, KeyAction::Press, 0, u""};
  EXPECT_FALSE(KeyCapture::takesKey(mouse, CaptureTarget::CustomKeyDialog));
}

}  // namespace
