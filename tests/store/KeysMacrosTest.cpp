#include <gtest/gtest.h>

#include "tests/store/StoreFixture.h"

namespace {

using KeysMacrosTest = StoreFixture;

KeyAssignmentRecord Assignment(int profile, int layer, int keyCode, int type, int value, int value2 = 0) {
  return KeyAssignmentRecord{0, profile, layer, keyCode, 0, u"", type, value, value2, 0, u"desc"};
}

StepRecord Step(int macroId, int type, int index, int value) {
  return StepRecord{0, macroId, type, index, value, 10 * index, u"step " + std::u16string(1, u'0' + index)};
}

TEST_F(KeysMacrosTest, SavingReplacesTheKeysRowAndDefaultsLeaveNone) {
  EXPECT_GT(store_.SaveKeyAssignment(Assignment(1, 0, 0x29, 2, 0x04)), 0);
  EXPECT_GT(store_.SaveKeyAssignment(Assignment(1, 0, 0x29, 2, 0x04)), 0);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_key_macro_data"), 1);
  EXPECT_EQ(store_.SaveKeyAssignment(Assignment(1, 0, 0x29, 1, 0, 0)), 0);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_key_macro_data"), 0);
  EXPECT_EQ(store_.SaveKeyAssignment(Assignment(1, 0, 0, 2, 5)), 0);  // no key code: nothing happens
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_key_macro_data"), 0);
}

TEST_F(KeysMacrosTest, AssignmentsAreKeptPerProfileAndLayer) {
  store_.SaveKeyAssignment(Assignment(1, 0, 0x04, 2, 0x05));
  store_.SaveKeyAssignment(Assignment(1, 1, 0x04, 2, 0x06));
  store_.SaveKeyAssignment(Assignment(2, 0, 0x04, 2, 0x07, 9));
  std::vector<KeyAssignmentRecord> list{KeyAssignmentRecord{}};
  ASSERT_EQ(store_.ListKeyAssignments(1, 0, list), 1);
  EXPECT_EQ(list[0].macroValue, 0x05);
  KeyAssignmentRecord read;
  ASSERT_TRUE(store_.ReadKeyAssignment(2, 0, 0x04, read));
  EXPECT_EQ(read.macroValue2, 9);
  EXPECT_EQ(read.description, u"desc");
  EXPECT_FALSE(store_.ReadKeyAssignment(3, 0, 0x04, read));
  store_.DeleteAllKeyAssignments(1);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_key_macro_data"), 1);
}

TEST_F(KeysMacrosTest, OtherDataIsOnlySetWhenTheRowExists) {
  const int id = store_.AddOtherData(OtherDataRecord{u"https://x.example/", u"", 9});
  ASSERT_GT(id, 0);
  OtherDataRecord read;
  EXPECT_TRUE(store_.ReadOtherData(id, read));
  EXPECT_EQ(read.description, u"https://x.example/");
  EXPECT_EQ(read.type, 9);
  OtherDataRecord untouched{u"keep", u"me", 3};
  EXPECT_TRUE(store_.ReadOtherData(id + 100, untouched));
  EXPECT_EQ(untouched.param, u"me");
}

TEST_F(KeysMacrosTest, DeletingAMacroTakesItsStepsAndTheKeysThatPlayIt) {
  const int macro = store_.AddMacro(u"Combo");
  const int other = store_.AddMacro(u"Other");
  store_.AddStep(Step(macro, 2, 0, 0x41));
  store_.AddStep(Step(other, 2, 0, 0x42));
  store_.SaveKeyAssignment(Assignment(1, 0, 0x04, kMacroAssignment, macro));
  store_.SaveKeyAssignment(Assignment(2, 1, 0x05, kMacroAssignment, macro));
  store_.SaveKeyAssignment(Assignment(1, 0, 0x06, 2, macro));  // same number, not a macro
  store_.SaveKeyAssignment(Assignment(1, 0, 0x07, kMacroAssignment, other));
  ASSERT_TRUE(store_.DeleteMacro(macro));
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macro_data"), 1);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macrorecord"), 1);
  EXPECT_EQ(QueryText("SELECT group_concat(key_code) FROM t_key_macro_data ORDER BY key_code"), "6,7");
}

TEST_F(KeysMacrosTest, MacroSettingsAndDefaults) {
  const int id = store_.AddMacro(u"New");
  MacroRecord macro;
  ASSERT_TRUE(store_.ReadMacro(id, macro));
  EXPECT_EQ(macro.playTimes, 1);
  EXPECT_EQ(macro.delayType, 1);
  EXPECT_EQ(macro.delayTime, 0);
  macro.playTimes = 5;
  macro.loopType = 2;
  macro.linkCount = 99;  // not written by a settings update
  ASSERT_TRUE(store_.UpdateMacroSettings(macro));
  int times = 0;
  ASSERT_TRUE(store_.GetMacroPlayTimes(id, times));
  EXPECT_EQ(times, 5);
  EXPECT_EQ(QueryInt("SELECT link_count FROM t_macro_data"), 0);
  EXPECT_FALSE(store_.GetMacroPlayTimes(id + 1, times));
  EXPECT_TRUE(store_.RenameMacro(id, u"Renamed"));
  std::vector<MacroRecord> macros;
  ASSERT_EQ(store_.ListMacros(macros), 1);
  EXPECT_EQ(macros[0].name, u"Renamed");
}

TEST_F(KeysMacrosTest, StepsComeBackInRecordIndexOrder) {
  const int id = store_.AddMacro(u"m");
  EXPECT_EQ(store_.AddSteps({Step(id, 2, 3, 0x43), Step(id, 2, 1, 0x41), Step(id, 1, 2, 0x42)}), 3);
  std::vector<StepRecord> steps;
  ASSERT_EQ(store_.ListSteps(id, steps), 3);
  EXPECT_EQ(steps[0].value, 0x41);
  EXPECT_EQ(steps[1].value, 0x42);
  EXPECT_EQ(steps[2].value, 0x43);
  EXPECT_EQ(steps[0].description, u"step 1");
  EXPECT_EQ(store_.CountKeyEvents(id), 2);  // type 1 carries no key event
}

TEST_F(KeysMacrosTest, FailedBatchesLeaveTheOldStepsUntouched) {
  const int id = store_.AddMacro(u"m");
  ASSERT_TRUE(store_.ReplaceSteps(id, {Step(0, 2, 9, 1), Step(0, 3, 9, 1)}));
  std::vector<StepRecord> steps;
  ASSERT_EQ(store_.ListSteps(id, steps), 2);
  EXPECT_EQ(steps[1].recordIndex, 1);  // renumbered in list order
  EXPECT_EQ(steps[1].macroId, id);
  ASSERT_TRUE(Exec("CREATE TRIGGER boom BEFORE INSERT ON t_macrorecord WHEN NEW.value = 666 "
                   "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
  EXPECT_FALSE(store_.ReplaceSteps(id, {Step(0, 2, 0, 7), Step(0, 2, 1, 666)}));
  EXPECT_EQ(store_.AddSteps({Step(id, 2, 5, 8), Step(id, 2, 6, 666)}), 0);
  ASSERT_EQ(store_.ListSteps(id, steps), 2);
  EXPECT_EQ(steps[0].value, 1);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macrorecord"), 2);
}

TEST_F(KeysMacrosTest, CopyingAMacroCopiesItsSettingsAndSteps) {
  MacroRecord source;
  source.name = u"Source";
  source.playTimes = 3;
  source.linkCount = 4;
  int id = 0;
  ASSERT_TRUE(store_.InsertMacro(source, id));
  store_.ReplaceSteps(id, {Step(0, 2, 0, 0x41), Step(0, 3, 1, 0x41)});
  const int copy = store_.CopyMacro(id, u"Copy");
  ASSERT_GT(copy, id);
  MacroRecord read;
  ASSERT_TRUE(store_.ReadMacro(copy, read));
  EXPECT_EQ(read.name, u"Copy");
  EXPECT_EQ(read.playTimes, 3);
  EXPECT_EQ(read.linkCount, 4);
  std::vector<StepRecord> steps;
  EXPECT_EQ(store_.ListSteps(copy, steps), 2);
  EXPECT_EQ(store_.CopyMacro(9999, u"none"), 0);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macro_data"), 2);
}

}  // namespace
