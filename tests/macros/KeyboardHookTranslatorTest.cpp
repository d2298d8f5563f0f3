// Hook records made from evdev keys: virtual key, PC scan code with its
// extended flag, the up flag, and plain versus system key messages.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include "macros/recorder/HookKeyTranslator.h"

namespace {

struct Expected {
  int code;
  int virtualKey;
  int scanCode;
  std::uint32_t flags;
};

TEST(HookKeyTranslation, KeypadAndNavigationKeysDifferInTheExtendedFlag) {
  const std::vector<Expected> keys{
      {KEY_KP7, 103, 71, 0},   {KEY_HOME, 36, 71, HookKeyRecord::kExtended},
      {KEY_KPDOT, 110, 83, 0}, {KEY_DELETE, 46, 83, HookKeyRecord::kExtended},
      {KEY_ENTER, 13, 28, 0},  {KEY_KPENTER, 108, 28, HookKeyRecord::kExtended},
      {KEY_A, 'A', 30, 0},     {KEY_RIGHTCTRL, 163, 29, HookKeyRecord::kExtended},
      {KEY_NUMLOCK, 144, 69, HookKeyRecord::kExtended}, {KEY_PAUSE, 19, 69, 0},
      {KEY_VOLUMEUP, 175, 0x30, HookKeyRecord::kExtended},
  };
  for (const Expected& key : keys) {
    HookKeyTranslator translator;
    const auto [message, record] = translator.translate(key.code, 1, 77);
    EXPECT_EQ(message, KeyMessage::KeyDown) << key.code;
    EXPECT_EQ(record.virtualKey, key.virtualKey) << key.code;
    EXPECT_EQ(record.scanCode, key.scanCode) << key.code;
    EXPECT_EQ(record.flags, key.flags) << key.code;
    EXPECT_EQ(record.time, 77u);
  }
}

TEST(HookKeyTranslation, AReleaseCarriesTheUpFlag) {
  HookKeyTranslator translator;
  translator.translate(KEY_HOME, 1, 0);
  const auto [message, record] = translator.translate(KEY_HOME, 0, 0);
  EXPECT_EQ(message, KeyMessage::KeyUp);
  EXPECT_EQ(record.flags, HookKeyRecord::kExtended | HookKeyRecord::kUp);
}

TEST(HookKeyTranslation, KeysWhileAltIsHeldAreSystemKeys) {
  HookKeyTranslator translator;
  EXPECT_EQ(translator.translate(KEY_LEFTALT, 1, 0).first, KeyMessage::SysKeyDown);
  EXPECT_EQ(translator.translate(KEY_TAB, 1, 0).first, KeyMessage::SysKeyDown);
  EXPECT_EQ(translator.translate(KEY_TAB, 2, 0).first, KeyMessage::SysKeyDown);
  EXPECT_EQ(translator.translate(KEY_TAB, 0, 0).first, KeyMessage::SysKeyUp);
  EXPECT_EQ(translator.translate(KEY_LEFTALT, 0, 0).first, KeyMessage::SysKeyUp);
  EXPECT_EQ(translator.translate(KEY_TAB, 1, 0).first, KeyMessage::KeyDown);
}

TEST(HookKeyTranslation, CtrlWithAltGivesPlainKeys) {
  HookKeyTranslator translator;
  translator.translate(KEY_RIGHTCTRL, 1, 0);
  translator.translate(KEY_LEFTALT, 1, 0);
  EXPECT_EQ(translator.translate(KEY_DELETE, 1, 0).first, KeyMessage::KeyDown);
}

TEST(HookKeyTranslation, F10IsASystemKeyOnItsOwn) {
  HookKeyTranslator translator;
  EXPECT_EQ(translator.translate(KEY_F10, 1, 0).first, KeyMessage::SysKeyDown);
  EXPECT_EQ(translator.translate(KEY_F10, 0, 0).first, KeyMessage::SysKeyUp);
}

}  // namespace
