#include "device/LinuxKeyTables.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <set>

#include "device/KeyCodes.h"

namespace {

using Tables = LinuxKeyTables;

// Keys whose virtual key converts to a keyboard usage that no evdev code stands for.
const std::set<int> kVirtualKeysWithoutEvdev = {254, 666};

}  // namespace

TEST(LinuxKeyTablesShape, NoKeyAppearsTwiceInAnyVocabulary) {
  std::set<int> evdevCodes;
  std::set<int> usages;
  std::set<int> virtualKeys;
  std::set<int> consumerUsages;
  for (const Tables::KeyRow& row : Tables::keyRows()) {
    EXPECT_TRUE(evdevCodes.insert(row.evdev).second) << "evdev " << row.evdev;
    EXPECT_TRUE(usages.insert(row.usage).second) << "usage " << row.usage;
    if (row.virtualKey != 0) {
      EXPECT_TRUE(virtualKeys.insert(row.virtualKey).second) << "vk " << row.virtualKey;
    }
    EXPECT_GT(row.evdev, 0);
    EXPECT_GE(row.usage, 4);
    EXPECT_LE(row.usage, 231);
  }
  // Media keys share the evdev and virtual-key spaces with keyboard keys.
  for (const Tables::MediaRow& row : Tables::mediaRows()) {
    EXPECT_TRUE(evdevCodes.insert(row.evdev).second) << "evdev " << row.evdev;
    EXPECT_TRUE(virtualKeys.insert(row.virtualKey).second) << "vk " << row.virtualKey;
    EXPECT_TRUE(consumerUsages.insert(row.consumerUsage).second) << "consumer " << row.consumerUsage;
  }
}

TEST(LinuxKeyTablesRoundTrip, EveryKeyConvertsBackToItselfAndStaysInItsOwnTable) {
  for (const Tables::KeyRow& row : Tables::keyRows()) {
    EXPECT_EQ(Tables::evdevToUsage(Tables::usageToEvdev(row.usage)), row.usage);
    EXPECT_EQ(Tables::usageToVirtualKey(row.usage), Tables::evdevToVirtualKey(row.evdev));
    EXPECT_EQ(Tables::usageToVirtualKey(row.usage), row.virtualKey);
    if (row.virtualKey != 0) {
      EXPECT_EQ(Tables::virtualKeyToEvdev(row.virtualKey), row.evdev);
    }
    EXPECT_EQ(Tables::evdevToConsumerUsage(row.evdev), 0) << row.evdev;
  }
  for (const Tables::MediaRow& row : Tables::mediaRows()) {
    EXPECT_EQ(Tables::evdevToConsumerUsage(Tables::consumerUsageToEvdev(row.consumerUsage)), row.consumerUsage);
    EXPECT_EQ(Tables::virtualKeyToEvdev(Tables::evdevToVirtualKey(row.evdev)), row.evdev);
    EXPECT_EQ(Tables::evdevToUsage(row.evdev), 0) << row.evdev;
  }
}

TEST(LinuxKeyTablesLookup, KnownKeysMatchTheKernelAndHidNumbers) {
  EXPECT_EQ(Tables::evdevToUsage(KEY_LEFTCTRL), 224);
  EXPECT_EQ(Tables::evdevToVirtualKey(KEY_RIGHTCTRL), 163);
  EXPECT_EQ(Tables::usageToEvdev(231), KEY_RIGHTMETA);
  EXPECT_EQ(Tables::evdevToUsage(KEY_0), 39);
  EXPECT_EQ(Tables::evdevToUsage(KEY_SYSRQ), 70);
  EXPECT_EQ(Tables::evdevToUsage(KEY_102ND), 100);
  EXPECT_EQ(Tables::evdevToVirtualKey(KEY_KPENTER), 108);  // the keypad Enter the recorders store
  EXPECT_EQ(Tables::consumerUsageToEvdev(0xE9), KEY_VOLUMEUP);
  EXPECT_EQ(Tables::evdevToVirtualKey(KEY_MUTE), 173);
}

TEST(LinuxKeyTablesLookup, KeysWithoutCounterpartAndUnknownCodesGiveZero) {
  EXPECT_EQ(Tables::usageToEvdev(50), 0);  // non-US "#": the kernel calls it KEY_BACKSLASH
  for (int vk : {16, 17, 18, 254, 666}) EXPECT_EQ(Tables::virtualKeyToEvdev(vk), 0) << vk;
  EXPECT_EQ(Tables::usageToVirtualKey(103), 0);  // keypad "=" cannot be recorded
  for (int code : {0, -1, 255, 0x2FF, 100000}) {
    EXPECT_EQ(Tables::usageToEvdev(code), 0) << code;
    EXPECT_EQ(Tables::evdevToVirtualKey(code), 0) << code;
    EXPECT_EQ(Tables::virtualKeyToEvdev(code), 0) << code;  // 0 is "no virtual key" in the rows
    EXPECT_EQ(Tables::consumerUsageToEvdev(code), 0) << code;
  }
}

TEST(LinuxKeyTablesAgreeWithKeyCodes, EveryVirtualKeyInTheTablesConvertsToItsRow) {
  for (const Tables::KeyRow& row : Tables::keyRows()) {
    if (row.virtualKey == 0) continue;
    EXPECT_EQ(KeyCodes::toOutputCode(row.virtualKey), row.usage) << row.virtualKey;
    EXPECT_EQ(KeyCodes::recordedVirtualKey(row.virtualKey), row.virtualKey);
    EXPECT_FALSE(KeyCodes::keyDisplayName(row.virtualKey, 0).empty()) << row.virtualKey;
  }
  for (const Tables::MediaRow& row : Tables::mediaRows()) {
    const int code = KeyCodes::toOutputCode(row.virtualKey);
    EXPECT_TRUE(KeyCodes::isConsumerCode(code)) << row.virtualKey;
    EXPECT_EQ(KeyCodes::consumerUsage(code), row.consumerUsage) << row.virtualKey;
  }
}

TEST(LinuxKeyTablesAgreeWithKeyCodes, EveryConvertibleVirtualKeyCanBePlayed) {
  for (int vk = 0; vk <= 700; ++vk) {
    const int code = KeyCodes::toOutputCode(vk);
    if (code == 0 || kVirtualKeysWithoutEvdev.contains(vk)) continue;
    const int evdev = Tables::virtualKeyToEvdev(vk);
    ASSERT_NE(evdev, 0) << vk;
    if (KeyCodes::isConsumerCode(code)) {
      EXPECT_EQ(Tables::evdevToConsumerUsage(evdev), KeyCodes::consumerUsage(code)) << vk;
    } else {
      EXPECT_EQ(Tables::evdevToUsage(evdev), code) << vk;
    }
  }
  for (int code = KeyCodes::kFirstConsumerCode; code <= KeyCodes::kLastConsumerCode; ++code) {
    EXPECT_NE(Tables::consumerUsageToEvdev(KeyCodes::consumerUsage(code)), 0) << code;
  }
}
