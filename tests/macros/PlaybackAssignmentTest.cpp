// Assignments played at once from key filter events: keys, media keys, mouse
// buttons, shortcuts, and macro keys handed to the worker's queue.
#include "tests/macros/PlaybackFixture.h"

namespace {

using namespace playbacktest;
using PlaybackAssignmentTest = PlaybackTest;
using Texts = std::vector<std::string>;

TEST_F(PlaybackAssignmentTest, KeysMediaKeysAndMouseButtonsFollowPressAndRelease) {
  player_.executeAssignment(Row(1, AssignmentType::Key, 4), true);
  player_.executeAssignment(Row(1, AssignmentType::Key, 4), false);
  player_.executeAssignment(Row(2, AssignmentType::Key, 232), true);  // a media code: consumer 0x183
  player_.executeAssignment(Row(2, AssignmentType::Key, 232), false);
  for (int code : {1, 2, 3, 7, 8, 4}) player_.executeAssignment(Row(3, AssignmentType::MouseFunction, code), true);
  for (auto type : {AssignmentType::Disabled, AssignmentType::FunctionGroup, AssignmentType::SwitchProfile}) {
    player_.executeAssignment(Row(4, type, 4), true);
  }
  // Mouse code 4 has no button; the other types play nothing.
  EXPECT_EQ(Writes(), (Texts{"kbd[4]", "kbd[]", "cons[387]", "cons[0]", "mouse[1]", "mouse[5]", "mouse[7]",
                             "mouse[23]", "mouse[31]"}));
  EXPECT_EQ(backend_->closeCount, 0);  // every event reopens the device, which keeps it open
}

TEST_F(PlaybackAssignmentTest, ACombinationHoldsItsModifiersAroundTheKey) {
  KeyAssignmentRecord combination = Row(1, AssignmentType::Key, 6);  // C
  combination.macroValue2 = 0x01 | 0x04;                                 // Ctrl + Alt, as the custom key dialog stores them
  player_.executeAssignment(combination, true);
  player_.executeAssignment(combination, false);
  EXPECT_EQ(Writes(), (Texts{"kbd[224]", "kbd[224,226]", "kbd[6,224,226]", "kbd[224,226]", "kbd[226]", "kbd[]"}));
}

TEST_F(PlaybackAssignmentTest, ShortcutsPlayOnPressInTenMillisecondSteps) {
  player_.executeAssignment(Row(1, AssignmentType::Shortcut, 2), true);  // Ctrl + C
  player_.executeAssignment(Row(1, AssignmentType::Shortcut, 2), false);
  player_.playShortcut(14);  // Alt + Space + N
  player_.playShortcut(16);  // none
  EXPECT_EQ(Timeline(), Seq({{"kbd[224]", "wait 10", "kbd[6,224]", "wait 10", "kbd[224]", "wait 10", "kbd[]"},
                             kReset,
                             {"kbd[226]", "wait 10", "kbd[44,226]", "wait 10", "kbd[17,44,226]", "wait 10",
                              "kbd[44,226]", "wait 10", "kbd[226]", "wait 10", "kbd[]"}}));
}

TEST_F(PlaybackAssignmentTest, MacroKeysQueueOnlyIntoAnEmptyQueue) {
  player_.executeAssignment(Row(kMacroKey, AssignmentType::Macro, 7), true);
  player_.executeAssignment(Row(kMacroKey + 1, AssignmentType::Macro, 8), true);
  player_.executeAssignment(Row(kMacroKey, AssignmentType::Macro, 7), false);
  EXPECT_EQ(queue_.ids, std::deque<std::uint32_t>{7});
  EXPECT_FALSE(player_.stopRequested());  // a release stops hold macros only
}

TEST_F(PlaybackAssignmentTest, NothingIsPlayedWhenTheDeviceCannotOpen) {
  backend_->refuseOpen = true;
  player_.executeAssignment(Row(1, AssignmentType::Key, 4), true);
  player_.executeAssignment(Row(1, AssignmentType::MouseFunction, 1), true);
  player_.executeAssignment(Row(1, AssignmentType::Shortcut, 1), true);
  player_.playMacro(AddMacro(MacroLoop::Count, 1, {{kPress, kVkA, 0}}));
  EXPECT_TRUE(Timeline().empty());
}

TEST_F(PlaybackAssignmentTest, FilterKeysPlayTheRowOfTheCurrentMapAndReleaseAllClearsWhatIsLeft) {
  EXPECT_TRUE(player_.onFilterKey(kKeyB, true));
  EXPECT_TRUE(player_.onFilterKey(99, true));  // unassigned: handled, nothing played
  player_.setAssignedKeys({Row(11, AssignmentType::Key, 6)});
  player_.onFilterKey(kKeyB, false);  // no longer assigned: B stays down
  player_.onFilterKey(11, true);
  player_.releaseAll();
  EXPECT_EQ(Writes(), Seq({{"kbd[5]", "kbd[5,6]"}, kReset}));
}

}  // namespace
