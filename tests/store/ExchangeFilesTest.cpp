#include "store/ExchangeFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "store/MacroLimits.h"
#include "tests/store/StoreFixture.h"

namespace {

constexpr char kHeader[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

// Remembers what an import asked the pages to show.
class RecordingListener : public ExchangeListener {
 public:
  struct Macro {
    std::u16string name;
    int id;
    bool select;
    bool operator==(const Macro&) const = default;
  };
  struct Profile {
    std::u16string name;
    int id;
    bool operator==(const Profile&) const = default;
  };

  void MacroImported(const std::u16string& name, int macroId, bool select) override {
    macros.push_back(Macro{name, macroId, select});
  }
  void ProfileImported(const std::u16string& name, int profileId) override {
    profiles.push_back(Profile{name, profileId});
  }
  bool Silent() const { return macros.empty() && profiles.empty(); }

  std::vector<Macro> macros;
  std::vector<Profile> profiles;
};

KeyAssignmentRecord Key(int profile, int layer, int keyCode, int type, int value, int value2 = 0) {
  KeyAssignmentRecord r;
  r.profile = profile;
  r.layer = layer;
  r.keyCode = keyCode;
  r.macroType = type;
  r.macroValue = value;
  r.macroValue2 = value2;
  return r;
}

StepRecord Step(int type, int index, int value, int delay, std::u16string desc) {
  return StepRecord{0, 0, type, index, value, delay, std::move(desc)};
}

int CountOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

// The text from the first "<macroinfo" at or after `from` to its "</macroinfo>"; `end` is set past it.
std::string MacroinfoBlock(const std::string& text, std::size_t from, std::size_t* end) {
  const std::size_t start = text.find("<macroinfo", from);
  if (start == std::string::npos) return {};
  std::size_t stop = text.find("</macroinfo>", start);
  stop = stop == std::string::npos ? text.size() : stop + 12;
  *end = stop;
  return text.substr(start, stop - start);
}

}  // namespace

class ExchangeFilesTest : public StoreFixture {
 protected:
  struct Counts {
    int profiles, keys, macros, steps, active;
    bool operator==(const Counts&) const = default;
    friend void PrintTo(const Counts& c, std::ostream* os) {
      *os << "{profiles " << c.profiles << ", keys " << c.keys << ", macros " << c.macros << ", steps " << c.steps
          << ", active " << c.active << "}";
    }
  };

  Counts Snapshot() const {
    return Counts{QueryInt("SELECT count(*) FROM t_profile_data"), QueryInt("SELECT count(*) FROM t_key_macro_data"),
                  QueryInt("SELECT count(*) FROM t_macro_data"), QueryInt("SELECT count(*) FROM t_macrorecord"),
                  QueryInt("SELECT profile FROM t_profile_data WHERE status = 1")};
  }

  // A macro with the given settings and two steps; its id.
  int MakeMacro(const std::u16string& name, int playTimes = 2, int delayType = 3, int delayTime = 50) {
    MacroRecord m;
    m.name = name;
    m.playTimes = playTimes;
    m.delayType = delayType;
    m.delayTime = delayTime;
    const int id = store_.AddMacro(m);
    store_.AddSteps({StepRecord{0, id, 2, 0, 0x41, 10, u"A down"}, StepRecord{0, id, 3, 1, 0x41, 20, u"A up"}});
    return id;
  }

  std::string Write(const std::string& name, const std::string& body) const {
    return folder_.Write(name, std::string(kHeader) + body);
  }

  // An import of this file must be refused whole and leave the database as it was.
  void ExpectRefused(const std::string& name, const std::string& bytes, bool asMacro) {
    SCOPED_TRACE(name);
    const Counts before = Snapshot();
    const std::string path = folder_.Write(name, bytes);
    RecordingListener listener;
    ExchangeFiles files(store_);
    EXPECT_EQ(asMacro ? files.ImportMacro(path, listener) : files.ImportProfile(path, listener), 0);
    EXPECT_TRUE(listener.Silent());
    EXPECT_EQ(Snapshot(), before);
  }

  ExchangeFiles files_{store_};
  RecordingListener listener_;
};

// --- profile files ----------------------------------------------------------

TEST_F(ExchangeFilesTest, SharedMacroIsWrittenPerKeyAndImportedAsTwoCopiesElsewhere) {
  for (int i = 1; i <= 6; ++i) store_.AddMacro(u"filler");
  ASSERT_EQ(MakeMacro(u"Combo", 2, 3, 50), 7);
  const int profile = store_.AddProfile(ProfileRecord{0, u"Gaming", u"", 0, 0});
  ASSERT_NE(store_.SaveKeyAssignment(Key(profile, 0, 0x04, kMacroAssignment, 7)), 0);
  ASSERT_NE(store_.SaveKeyAssignment(Key(profile, 0, 0x05, kMacroAssignment, 7)), 0);
  // Another kind of assignment whose value happens to equal the macro id must not be renumbered.
  ASSERT_NE(store_.SaveKeyAssignment(Key(profile, 0, 0x29, 2, 7)), 0);

  const std::string path = folder_.Path() + "Gaming.xml";
  ASSERT_TRUE(files_.ExportProfile(profile, path));
  const std::string text = folder_.Read("Gaming.xml");
  ASSERT_EQ(CountOf(text, "<macroinfo "), 2);
  std::size_t end = 0;
  const std::string first = MacroinfoBlock(text, 0, &end);
  const std::string second = MacroinfoBlock(text, end, &end);
  EXPECT_EQ(first, second);
  EXPECT_NE(first.find("name=\"Combo\" macro_id=\"7\" times=\"2\" type=\"3\" delaytime=\"50\""), std::string::npos);

  ProfileStore other;
  ASSERT_TRUE(other.OpenDeviceDatabase(folder_.Path(), u"Other Board"));
  other.AddMacro(u"Combo");  // same name, different id: not the same macro
  other.AddMacro(u"mine");
  const int imported = ExchangeFiles(other).ImportProfile(path, listener_);
  ASSERT_GT(imported, 0);

  std::vector<MacroRecord> macros;
  ASSERT_EQ(other.ListMacros(macros), 4);
  EXPECT_EQ(listener_.macros, (std::vector<RecordingListener::Macro>{{u"Combo", 3, true}, {u"Combo", 4, true}}));
  for (int id : {3, 4}) {
    MacroRecord m;
    ASSERT_TRUE(other.ReadMacro(id, m));
    EXPECT_EQ(m.name, u"Combo");
    EXPECT_EQ(m.playTimes, 2);
    EXPECT_EQ(m.delayType, 3);
    EXPECT_EQ(m.delayTime, 50);
    std::vector<StepRecord> steps;
    EXPECT_EQ(other.ListSteps(id, steps), 2) << "macro " << id;
  }
  KeyAssignmentRecord key;
  ASSERT_TRUE(other.ReadKeyAssignment(imported, 0, 0x04, key));
  EXPECT_EQ(key.macroValue, 4);
  ASSERT_TRUE(other.ReadKeyAssignment(imported, 0, 0x05, key));
  EXPECT_EQ(key.macroValue, 4);
  ASSERT_TRUE(other.ReadKeyAssignment(imported, 0, 0x29, key));
  EXPECT_EQ(key.macroType, 2);
  EXPECT_EQ(key.macroValue, 7);
  EXPECT_EQ(listener_.profiles, (std::vector<RecordingListener::Profile>{{u"Gaming", imported}}));
  other.Close();
}

TEST_F(ExchangeFilesTest, ImportIntoSameDatabaseReusesMacrosAndAddsActiveProfile) {
  const int macro = MakeMacro(u"Combo");
  const int original = store_.AddProfile(ProfileRecord{0, u"Gaming", u"", 0, 0});
  ASSERT_TRUE(store_.SetActiveProfile(original));
  store_.SaveKeyAssignment(Key(original, 0, 0x04, kMacroAssignment, macro));
  store_.SaveKeyAssignment(Key(original, 0, 0x05, kMacroAssignment, macro));
  const std::string path = folder_.Path() + "Copy.xml";
  ASSERT_TRUE(files_.ExportProfile(original, path));
  const Counts before = Snapshot();

  const int imported = files_.ImportProfile(path, listener_);

  ASSERT_GT(imported, original);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macro_data"), before.macros);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macrorecord"), before.steps);
  EXPECT_TRUE(listener_.macros.empty());
  EXPECT_EQ(listener_.profiles, (std::vector<RecordingListener::Profile>{{u"Copy", imported}}));
  EXPECT_EQ(store_.GetActiveProfile(), imported);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_profile_data WHERE status = 1"), 1);
  std::u16string name;
  ASSERT_TRUE(store_.GetProfileName(imported, name));
  EXPECT_EQ(name, u"Copy");
  std::vector<KeyAssignmentRecord> keys;
  ASSERT_EQ(store_.ListKeyAssignments(imported, 0, keys), 2);
  for (const KeyAssignmentRecord& k : keys) EXPECT_EQ(k.macroValue, macro);
}

TEST_F(ExchangeFilesTest, MacroIsReusedOnlyWhenNameAndIdBothMatch) {
  const int combo = MakeMacro(u"Combo");
  ASSERT_EQ(combo, 1);
  struct Case {
    const char* file;
    const char* name;
    int id;
    bool reused;
  } cases[] = {{"same.xml", "Combo", 1, true}, {"renamed.xml", "combo", 1, false}, {"otherid.xml", "Combo", 2, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string id = std::to_string(c.id);
    const std::string body = "<profile>\r\n<profileinfo name=\"x\"/>\r\n<keyitems>\r\n"
                             "<item fn_layer=\"0\" key_code=\"4\" macro_type=\"3\" macro_value=\"" + id +
                             "\"/>\r\n</keyitems>\r\n<macroinfo name=\"" + c.name + "\" macro_id=\"" + id +
                             "\" times=\"1\" type=\"1\" delaytime=\"0\"/>\r\n</profile>\r\n";
    const int macrosBefore = QueryInt("SELECT count(*) FROM t_macro_data");
    RecordingListener listener;
    const int profile = files_.ImportProfile(Write(c.file, body), listener);
    ASSERT_GT(profile, 0);
    KeyAssignmentRecord key;
    ASSERT_TRUE(store_.ReadKeyAssignment(profile, 0, 4, key));
    if (c.reused) {
      EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macro_data"), macrosBefore);
      EXPECT_TRUE(listener.macros.empty());
      EXPECT_EQ(key.macroValue, combo);
    } else {
      EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macro_data"), macrosBefore + 1);
      ASSERT_EQ(listener.macros.size(), 1u);
      EXPECT_EQ(key.macroValue, listener.macros[0].id);
    }
  }
}

TEST_F(ExchangeFilesTest, ImportedProfileIsNamedAfterFileUpToFirstDot) {
  const std::string path = Write("my.profile.v2.xml",
                                 "<profile>\r\n<profileinfo name=\"Ignored\"/>\r\n<keyitems>\r\n"
                                 "<item fn_layer=\"0\" key_code=\"4\" macro_type=\"2\" macro_value=\"5\"/>\r\n"
                                 "</keyitems>\r\n</profile>\r\n");
  const int imported = files_.ImportProfile(path, listener_);
  ASSERT_GT(imported, 0);
  std::u16string name;
  ASSERT_TRUE(store_.GetProfileName(imported, name));
  EXPECT_EQ(name, u"my");
  EXPECT_EQ(listener_.profiles, (std::vector<RecordingListener::Profile>{{u"my", imported}}));
}

TEST(ExchangeFilesNames, NameIsFileNameUpToFirstDotWithoutFolder) {
  EXPECT_EQ(ExchangeFiles::NameFromPath("my.profile.v2.xml"), u"my");
  EXPECT_EQ(ExchangeFiles::NameFromPath("/home/u/dir.with.dots/Work.xml"), u"Work");
  EXPECT_EQ(ExchangeFiles::NameFromPath("rel/sub/Mac ro.xml"), u"Mac ro");
  EXPECT_EQ(ExchangeFiles::NameFromPath("/tmp/.hidden.xml"), u"");
  EXPECT_EQ(ExchangeFiles::NameFromPath("/tmp/Gr\xC3\xBC\xC3\x9F" "e.xml"), u"Gr\u00FC\u00DFe");
}

// A file name without any dot names nothing: the imported profile gets an empty name.
TEST(ExchangeFilesNames, FileNameWithoutDotGivesEmptyName) {
  EXPECT_EQ(ExchangeFiles::NameFromPath("/home/u/dir.with.dots/Work"), u"");
  EXPECT_EQ(ExchangeFiles::NameFromPath("Work"), u"");
}

TEST_F(ExchangeFilesTest, ProfileWithOnlyLayerOneAssignmentsExportsEmptyKeyItems) {
  const int macro = MakeMacro(u"Combo");
  const int profile = store_.AddProfile(ProfileRecord{0, u"Fn", u"", 0, 0});
  store_.SaveKeyAssignment(Key(profile, 1, 0x04, 2, 0x05));
  store_.SaveKeyAssignment(Key(profile, 1, 0x05, kMacroAssignment, macro));
  const std::string path = folder_.Path() + "fn.xml";
  ASSERT_TRUE(files_.ExportProfile(profile, path));
  EXPECT_EQ(folder_.Read("fn.xml"),
            std::string(kHeader) + "<profile>\r\n<profileinfo name=\"Fn\"/>\r\n<keyitems/>\r\n</profile>\r\n");
}

TEST_F(ExchangeFilesTest, ImportKeepsEveryAttributeAndEveryLayer) {
  const std::string path = Write("keys.xml",
      "<profile>\r\n<profileinfo name=\"k\"/>\r\n<keyitems>\r\n"
      "<item fn_layer=\"0\" key_code=\"41\" layout_value=\"9\" layout_desc=\"Esc &amp; co\" macro_type=\"2\" "
      "macro_value=\"4\" macro_value2=\"6\" macro_value3=\"8\" macro_desc=\"&lt;A&gt;\"/>\r\n"
      "<item fn_layer=\"2\" key_code=\"30\" macro_type=\"1\" macro_value=\"0\" macro_value2=\"3\"/>\r\n"
      // A macro the file does not carry keeps the number it was given.
      "<item fn_layer=\"0\" key_code=\"31\" macro_type=\"3\" macro_value=\"77\"/>\r\n"
      "</keyitems>\r\n</profile>\r\n");
  const int profile = files_.ImportProfile(path, listener_);
  ASSERT_GT(profile, 0);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_key_macro_data WHERE profile = " + std::to_string(profile)), 3);
  KeyAssignmentRecord k;
  ASSERT_TRUE(store_.ReadKeyAssignment(profile, 0, 41, k));
  EXPECT_EQ(k.layoutValue, 9);
  EXPECT_EQ(k.layoutDescription, u"Esc & co");
  EXPECT_EQ(k.macroType, 2);
  EXPECT_EQ(k.macroValue, 4);
  EXPECT_EQ(k.macroValue2, 6);
  EXPECT_EQ(k.macroValue3, 8);
  EXPECT_EQ(k.description, u"<A>");
  ASSERT_TRUE(store_.ReadKeyAssignment(profile, 2, 30, k));
  EXPECT_EQ(k.macroType, 1);
  EXPECT_EQ(k.macroValue2, 3);
  ASSERT_TRUE(store_.ReadKeyAssignment(profile, 0, 31, k));
  EXPECT_EQ(k.macroValue, 77);
}

TEST_F(ExchangeFilesTest, DefaultAndKeylessItemsAreSkippedWithoutFailingTheImport) {
  const std::string path = Write("skip.xml",
      "<profile>\r\n<profileinfo name=\"s\"/>\r\n<keyitems>\r\n"
      "<item fn_layer=\"0\" key_code=\"4\" macro_type=\"2\" macro_value=\"0\" macro_value2=\"0\"/>\r\n"
      "<item fn_layer=\"0\" key_code=\"0\" macro_type=\"2\" macro_value=\"5\"/>\r\n"
      "<item fn_layer=\"0\" key_code=\"6\" macro_type=\"2\" macro_value=\"5\"/>\r\n"
      // The same key again: the later item wins.
      "<item fn_layer=\"0\" key_code=\"6\" macro_type=\"2\" macro_value=\"7\"/>\r\n"
      "<item fn_layer=\"0\" key_code=\"8\" macro_type=\"2\" macro_value=\"5\"/>\r\n"
      "<item fn_layer=\"0\" key_code=\"8\" macro_type=\"2\" macro_value=\"0\"/>\r\n"
      "</keyitems>\r\n</profile>\r\n");
  const int profile = files_.ImportProfile(path, listener_);
  ASSERT_GT(profile, 0);
  std::vector<KeyAssignmentRecord> keys;
  ASSERT_EQ(store_.ListKeyAssignments(profile, 0, keys), 1);
  EXPECT_EQ(keys[0].keyCode, 6);
  EXPECT_EQ(keys[0].macroValue, 7);
  EXPECT_EQ(listener_.profiles.size(), 1u);
}

// --- macro files --------------------------------------------------------------

TEST_F(ExchangeFilesTest, MacroFileWithoutStepsCreatesEmptyMacroAndListsIt) {
  const std::string path =
      Write("Empty.xml", "<macro>\r\n<macroinfo name=\"x\" times=\"3\" type=\"2\" delaytime=\"15\"/>\r\n</macro>\r\n");
  const int id = files_.ImportMacro(path, listener_);
  ASSERT_GT(id, 0);
  MacroRecord m;
  ASSERT_TRUE(store_.ReadMacro(id, m));
  EXPECT_EQ(m.name, u"Empty");
  EXPECT_EQ(m.playTimes, 3);
  EXPECT_EQ(m.delayType, 2);
  EXPECT_EQ(m.delayTime, 15);
  std::vector<StepRecord> steps;
  EXPECT_EQ(store_.ListSteps(id, steps), 0);
  EXPECT_EQ(listener_.macros, (std::vector<RecordingListener::Macro>{{u"Empty", id, false}}));
  EXPECT_TRUE(listener_.profiles.empty());
}

TEST_F(ExchangeFilesTest, MacroRoundTripKeepsSettingsStepsAndSpecialCharacters) {
  MacroRecord source;
  source.name = u"Original";
  source.playTimes = 4;
  source.delayType = 2;
  source.delayTime = 125;
  source.linkCount = 5;
  source.loopType = 2;
  const int id = store_.AddMacro(source);
  const std::u16string special = u"& < > \" ' caf\u00E9 \u4E2D \U0001F600";
  // Stored indexes with gaps: the file only keeps the order.
  store_.AddSteps({StepRecord{0, id, 3, 30, 0x10, 7, u"last"}, StepRecord{0, id, 2, 10, 0x41, 5, special},
                   StepRecord{0, id, 1, 20, 0, 250, u""}});
  const std::string path = folder_.Path() + "Macro A.v1.xml";
  ASSERT_TRUE(files_.ExportMacro(id, path));
  EXPECT_EQ(folder_.Read("Macro A.v1.xml").find("macro_id"), std::string::npos);

  const int copy = files_.ImportMacro(path, listener_);
  ASSERT_GT(copy, id);
  MacroRecord m;
  ASSERT_TRUE(store_.ReadMacro(copy, m));
  EXPECT_EQ(m.name, u"Macro A");
  EXPECT_EQ(m.playTimes, 4);
  EXPECT_EQ(m.delayType, 2);
  EXPECT_EQ(m.delayTime, 125);
  EXPECT_EQ(m.linkCount, 0);
  EXPECT_EQ(m.loopType, 0);
  std::vector<StepRecord> steps;
  ASSERT_EQ(store_.ListSteps(copy, steps), 3);
  const std::vector<StepRecord> expected = {Step(2, 0, 0x41, 5, special), Step(1, 1, 0, 250, u""),
                                            Step(3, 2, 0x10, 7, u"last")};
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(steps[i].macroId, copy);
    EXPECT_EQ(steps[i].type, expected[i].type);
    EXPECT_EQ(steps[i].recordIndex, expected[i].recordIndex);
    EXPECT_EQ(steps[i].value, expected[i].value);
    EXPECT_EQ(steps[i].delayTime, expected[i].delayTime);
    EXPECT_EQ(steps[i].description, expected[i].description);
  }
  EXPECT_EQ(listener_.macros, (std::vector<RecordingListener::Macro>{{u"Macro A", copy, false}}));
}

TEST_F(ExchangeFilesTest, OnlyTheFirstMacroOfAMacroFileIsImported) {
  const std::string path = Write("Two.xml",
      "<macro>\r\n<macroinfo name=\"a\" times=\"1\" type=\"1\" delaytime=\"0\">\r\n<macroitems>\r\n"
      "<item desc=\"first\" type=\"2\" value=\"65\" delay_time=\"1\"/>\r\n</macroitems>\r\n</macroinfo>\r\n"
      "<macroinfo name=\"b\" times=\"9\" type=\"1\" delaytime=\"0\">\r\n<macroitems>\r\n"
      "<item desc=\"second\" type=\"2\" value=\"66\" delay_time=\"1\"/>\r\n</macroitems>\r\n</macroinfo>\r\n"
      "</macro>\r\n");
  const int id = files_.ImportMacro(path, listener_);
  ASSERT_GT(id, 0);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macro_data"), 1);
  std::vector<StepRecord> steps;
  ASSERT_EQ(store_.ListSteps(id, steps), 1);
  EXPECT_EQ(steps[0].description, u"first");
  EXPECT_EQ(listener_.macros.size(), 1u);
}

TEST_F(ExchangeFilesTest, ExportOfMissingMacroWritesNothing) {
  EXPECT_FALSE(files_.ExportMacro(42, folder_.Path() + "none.xml"));
  EXPECT_FALSE(folder_.Exists("none.xml"));
}

// --- the written form ---------------------------------------------------------------

TEST_F(ExchangeFilesTest, ExportsAreUtf8WithCrLfLinesNoBomAndFixedLayout) {
  const int macro = store_.AddMacro(u"M&M");
  store_.AddSteps({StepRecord{0, macro, 2, 0, 65, 10, u"A \u00E9"}});
  const int profile = store_.AddProfile(ProfileRecord{0, u"P \"1\"", u"", 0, 0});
  KeyAssignmentRecord key = Key(profile, 0, 4, kMacroAssignment, macro, 2);
  key.layoutValue = 1;
  key.layoutDescription = u"a";
  key.macroValue3 = 3;
  key.description = u"<M>";
  store_.SaveKeyAssignment(key);

  ASSERT_TRUE(files_.ExportProfile(profile, folder_.Path() + "p.xml"));
  ASSERT_TRUE(files_.ExportMacro(macro, folder_.Path() + "m.xml"));
  const std::string profileText = folder_.Read("p.xml");
  const std::string macroText = folder_.Read("m.xml");
  const std::string macroBody =
      "<macroitems>\r\n<item desc=\"A \xC3\xA9\" type=\"2\" value=\"65\" delay_time=\"10\"/>\r\n</macroitems>\r\n"
      "</macroinfo>\r\n";
  EXPECT_EQ(profileText,
            std::string(kHeader) +
                "<profile>\r\n<profileinfo name=\"P &quot;1&quot;\"/>\r\n<keyitems>\r\n"
                "<item fn_layer=\"0\" key_code=\"4\" layout_value=\"1\" layout_desc=\"a\" macro_type=\"3\" "
                "macro_value=\"1\" macro_value2=\"2\" macro_value3=\"3\" macro_desc=\"&lt;M&gt;\"/>\r\n</keyitems>\r\n"
                "<macroinfo name=\"M&amp;M\" macro_id=\"1\" times=\"1\" type=\"1\" delaytime=\"0\">\r\n" +
                macroBody + "</profile>\r\n");
  EXPECT_EQ(macroText, std::string(kHeader) +
                           "<macro>\r\n<macroinfo name=\"M&amp;M\" times=\"1\" type=\"1\" delaytime=\"0\">\r\n" +
                           macroBody + "</macro>\r\n");
  for (const std::string* text : {&profileText, &macroText}) {
    EXPECT_EQ(text->rfind(kHeader, 0), 0u);
    EXPECT_EQ(text->find("\xEF\xBB\xBF"), std::string::npos);
    for (std::size_t at = text->find('\n'); at != std::string::npos; at = text->find('\n', at + 1)) {
      ASSERT_TRUE(at > 0 && (*text)[at - 1] == '\r') << "bare LF at " << at;
    }
  }
}

// --- broken and hostile files ----------------------------------------------------------

TEST_F(ExchangeFilesTest, BrokenOrForeignFilesAddNothing) {
  MakeMacro(u"Keep");
  const int existing = store_.AddProfile(ProfileRecord{0, u"Base", u"", 0, 0});
  store_.SetActiveProfile(existing);
  const std::string macroInfo =
      "<macroinfo name=\"m\" macro_id=\"5\" times=\"1\" type=\"1\" delaytime=\"0\">"
      "<macroitems><item desc=\"d\" type=\"2\" value=\"65\" delay_time=\"1\"/></macroitems></macroinfo>";
  const std::string profileBody = "<profileinfo name=\"p\"/><keyitems><item key_code=\"4\" macro_type=\"3\" "
                                  "macro_value=\"5\"/></keyitems>" + macroInfo;
  struct Case {
    const char* file;
    std::string bytes;
  };
  const Case profileCases[] = {
      {"macroroot.xml", kHeader + ("<macro>" + macroInfo + "</macro>")},
      {"otherroot.xml", kHeader + ("<profiles>" + profileBody + "</profiles>")},
      {"unclosed.xml", kHeader + ("<profile>" + profileBody)},
      {"tworoots.xml", kHeader + ("<profile>" + profileBody + "</profile><profile/>")},
      {"mismatch.xml", kHeader + ("<profile>" + profileBody + "</macro>")},
      {"empty.xml", ""},
      {"binary.xml", std::string("\x00\xFF\xFE<\x01\x02profile", 13)},
      {"declonly.xml", kHeader},
  };
  for (const Case& c : profileCases) ExpectRefused(c.file, c.bytes, false);
  const Case macroCases[] = {
      {"profileroot.xml", kHeader + ("<profile>" + profileBody + "</profile>")},
      {"noinfo.xml", kHeader + std::string("<macro><macroitems><item desc=\"d\"/></macroitems></macro>")},
      {"unclosedmacro.xml", kHeader + ("<macro>" + macroInfo)},
      {"emptymacro.xml", ""},
  };
  for (const Case& c : macroCases) ExpectRefused(c.file, c.bytes, true);
}

TEST_F(ExchangeFilesTest, MissingFileOrClosedStoreImportsNothing) {
  EXPECT_EQ(files_.ImportProfile(folder_.Path() + "absent.xml", listener_), 0);
  EXPECT_EQ(files_.ImportMacro(folder_.Path() + "absent.xml", listener_), 0);
  const std::string profile = Write("p.xml",
      "<profile><profileinfo name=\"p\"/><keyitems><item key_code=\"4\" macro_type=\"2\" macro_value=\"5\"/>"
      "</keyitems></profile>");
  const std::string macro = Write("m.xml", "<macro><macroinfo name=\"m\" times=\"1\"/></macro>");
  store_.Close();
  EXPECT_EQ(files_.ImportProfile(profile, listener_), 0);
  EXPECT_EQ(files_.ImportMacro(macro, listener_), 0);
  EXPECT_TRUE(listener_.Silent());
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_profile_data"), 0);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macro_data"), 0);
}

TEST_F(ExchangeFilesTest, MissingAndNonNumericAttributesReadAsZeroOrEmpty) {
  const std::string path = Write("sparse.xml",
      "<profile><profileinfo/><keyitems>"
      "<item key_code=\"4\" macro_type=\"3\" macro_value=\"5\"/>"
      "<item fn_layer=\"x1\" key_code=\"5\" layout_value=\"12abc\" macro_type=\" -7\" macro_value=\"99999999999\"/>"
      "</keyitems>"
      "<macroinfo macro_id=\"5\"><macroitems><item/><item type=\"two\" value=\"0x41\"/></macroitems></macroinfo>"
      "</profile>");
  const int profile = files_.ImportProfile(path, listener_);
  ASSERT_GT(profile, 0);
  ASSERT_EQ(listener_.macros.size(), 1u);
  const int macro = listener_.macros[0].id;
  MacroRecord m;
  ASSERT_TRUE(store_.ReadMacro(macro, m));
  EXPECT_EQ(m.name, u"");
  EXPECT_EQ(m.playTimes, 0);
  EXPECT_EQ(m.delayType, 0);
  EXPECT_EQ(m.delayTime, 0);
  std::vector<StepRecord> steps;
  ASSERT_EQ(store_.ListSteps(macro, steps), 2);
  for (const StepRecord& s : steps) {
    EXPECT_EQ(s.type, 0);
    EXPECT_EQ(s.value, 0);
    EXPECT_EQ(s.delayTime, 0);
    EXPECT_EQ(s.description, u"");
  }
  EXPECT_EQ(steps[1].recordIndex, 1);

  KeyAssignmentRecord k;
  ASSERT_TRUE(store_.ReadKeyAssignment(profile, 0, 4, k));
  EXPECT_EQ(k.macroValue, macro);
  EXPECT_EQ(k.layoutValue, 0);
  EXPECT_EQ(k.layoutDescription, u"");
  EXPECT_EQ(k.macroValue2, 0);
  EXPECT_EQ(k.description, u"");
  ASSERT_TRUE(store_.ReadKeyAssignment(profile, 0, 5, k));
  EXPECT_EQ(k.layoutValue, 12);
  EXPECT_EQ(k.macroType, -7);
  EXPECT_EQ(k.macroValue, INT_MAX);
}

TEST_F(ExchangeFilesTest, DeeplyNestedFileDoesNotCrash) {
  constexpr int kDepth = 200000;
  std::string deep;
  deep.reserve(kDepth * 8);
  for (int i = 0; i < kDepth; ++i) deep += "<a>";
  deep += "<macroinfo name=\"deep\" macro_id=\"1\"/>";
  for (int i = 0; i < kDepth; ++i) deep += "</a>";
  const Counts before = Snapshot();
  RecordingListener listener;
  const int profile = files_.ImportProfile(Write("deep.xml", "<profile>" + deep + "</profile>"), listener);
  // Nothing stands where the reader looks: no macro, no profile.
  EXPECT_EQ(profile, 0);
  EXPECT_TRUE(listener.Silent());
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(files_.ImportMacro(Write("deep.m.xml", "<macro>" + deep + "</macro>"), listener), 0);
  // The same depth inside a step list is just an ignored child of one step.
  const std::string steps = "<macro><macroinfo name=\"n\"><macroitems><item desc=\"s\">" + deep +
                            "</item></macroitems></macroinfo></macro>";
  const int macro = files_.ImportMacro(Write("deep.s.xml", steps), listener);
  ASSERT_GT(macro, 0);
  std::vector<StepRecord> stored;
  EXPECT_EQ(store_.ListSteps(macro, stored), 1);
}

TEST_F(ExchangeFilesTest, OversizedFilesAreRefusedWholeAndTheLimitsThemselvesPass) {
  MakeMacro(u"Keep");
  const auto keyItems = [](int n) {
    std::string s = "<keyitems>";
    for (int i = 1; i <= n; ++i) s += "<item key_code=\"" + std::to_string(i) + "\" macro_type=\"2\" macro_value=\"5\"/>";
    return s + "</keyitems>";
  };
  const auto macroInfos = [](int n) {
    std::string s;
    for (int i = 1; i <= n; ++i) s += "<macroinfo name=\"m\" macro_id=\"" + std::to_string(100 + i) + "\"/>";
    return s;
  };
  const auto stepItems = [](int n) {
    std::string s = "<macroitems>";
    for (int i = 0; i < n; ++i) s += "<item type=\"2\" value=\"65\"/>";
    return s + "</macroitems>";
  };
  const std::string small = "<macroinfo name=\"s\" macro_id=\"1\"/>";
  const std::string info = "<profileinfo name=\"p\"/>";
  ExpectRefused("keys.xml", kHeader + ("<profile>" + small + info + keyItems(ExchangeFiles::kMaxKeyItems + 1) +
                                       "</profile>"), false);
  ExpectRefused("macros.xml", kHeader + ("<profile>" + macroInfos(ExchangeFiles::kMaxMacros + 1) + info +
                                         keyItems(1) + "</profile>"), false);
  ExpectRefused("steps.xml", kHeader + ("<profile><macroinfo name=\"s\" macro_id=\"1\">" +
                                        stepItems(ExchangeFiles::kMaxSteps + 1) + "</macroinfo>" + info +
                                        keyItems(1) + "</profile>"), false);
  ExpectRefused("steps.m.xml", kHeader + ("<macro><macroinfo name=\"s\">" + stepItems(ExchangeFiles::kMaxSteps + 1) +
                                          "</macroinfo></macro>"), true);

  // Exactly at the limits everything is stored.
  RecordingListener listener;
  const int profile = files_.ImportProfile(
      Write("full.xml", "<profile>" + macroInfos(ExchangeFiles::kMaxMacros) + info +
                            keyItems(ExchangeFiles::kMaxKeyItems) + "</profile>"),
      listener);
  ASSERT_GT(profile, 0);
  EXPECT_EQ(listener.macros.size(), static_cast<std::size_t>(ExchangeFiles::kMaxMacros));
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_key_macro_data WHERE profile = " + std::to_string(profile)),
            ExchangeFiles::kMaxKeyItems);
  const int macro = files_.ImportMacro(
      Write("full.m.xml", "<macro><macroinfo name=\"s\">" + stepItems(ExchangeFiles::kMaxSteps) + "</macroinfo></macro>"),
      listener);
  ASSERT_GT(macro, 0);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macrorecord WHERE macro_id = " + std::to_string(macro)),
            ExchangeFiles::kMaxSteps);
}

// Whatever the store accepts must export and import again, so the store and
// the importer share one limit on a macro's length.
TEST_F(ExchangeFilesTest, TheLongestMacroTheStoreHoldsRoundTripsAndNoMacroGrowsPastIt) {
  const int macro = store_.AddMacro(u"long");
  const std::vector<StepRecord> full(kMaxMacroSteps, StepRecord{0, 0, 2, 0, 65, 1, u"A"});
  std::vector<StepRecord> tooMany = full;
  tooMany.push_back(tooMany.back());
  EXPECT_FALSE(store_.ReplaceSteps(macro, tooMany));
  int refusedId = -1;
  EXPECT_FALSE(store_.AddMacroWithSteps(MacroRecord{}, tooMany, refusedId));
  EXPECT_EQ(refusedId, 0);
  ASSERT_TRUE(store_.ReplaceSteps(macro, full));
  EXPECT_EQ(store_.AddSteps({StepRecord{0, macro, 2, kMaxMacroSteps, 65, 1, u"A"}}), 0);
  EXPECT_EQ(store_.AddStep(StepRecord{0, macro, 2, kMaxMacroSteps, 65, 1, u"A"}), SQLITE_TOOBIG);
  EXPECT_EQ(store_.CountSteps(macro), kMaxMacroSteps);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macro_data"), 1);

  const std::string path = folder_.Path() + "Long.xml";
  ASSERT_TRUE(files_.ExportMacro(macro, path));
  const int copy = files_.ImportMacro(path, listener_);
  ASSERT_GT(copy, 0);
  EXPECT_EQ(store_.CountSteps(copy), kMaxMacroSteps);
}

TEST_F(ExchangeFilesTest, DelaysAreCutToTheRecordersLimit) {
  const std::string path = Write("Slow.xml",
      "<macro><macroinfo name=\"s\" times=\"1\" type=\"3\" delaytime=\"2147483647\"><macroitems>"
      "<item desc=\"a\" type=\"2\" value=\"65\" delay_time=\"2147483647\"/>"
      "<item desc=\"b\" type=\"3\" value=\"65\" delay_time=\"-5\"/>"
      "<item desc=\"c\" type=\"2\" value=\"66\" delay_time=\"31000\"/>"
      "</macroitems></macroinfo></macro>");
  const int id = files_.ImportMacro(path, listener_);
  ASSERT_GT(id, 0);
  MacroRecord m;
  ASSERT_TRUE(store_.ReadMacro(id, m));
  EXPECT_EQ(m.delayTime, kMaxStepDelayMs);
  std::vector<StepRecord> steps;
  ASSERT_EQ(store_.ListSteps(id, steps), 3);
  EXPECT_EQ(steps[0].delayTime, kMaxStepDelayMs);
  EXPECT_EQ(steps[1].delayTime, 0);
  EXPECT_EQ(steps[2].delayTime, kMaxStepDelayMs);
}

// A profile file without <profileinfo> holds no profile: nothing of it is stored or announced.
TEST_F(ExchangeFilesTest, ProfileFileWithoutProfileinfoIsRefusedWhole) {
  ExpectRefused("noinfo.xml", kHeader + std::string("<profile><macroinfo name=\"m\" macro_id=\"5\"><macroitems>"
                                                    "<item desc=\"d\" type=\"2\" value=\"65\"/></macroitems>"
                                                    "</macroinfo><keyitems><item key_code=\"4\" macro_type=\"3\" "
                                                    "macro_value=\"5\"/></keyitems></profile>"),
                false);
}

// Only regular files are imported: a pipe would block the import (and the store) for ever.
TEST_F(ExchangeFilesTest, PipesFoldersAndDevicesAreNotImported) {
  const std::string pipe = folder_.Path() + "pipe.xml";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::string folder = folder_.Path() + "folder.xml";
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  const Counts before = Snapshot();
  EXPECT_EXIT(
      {
        alarm(60);  // a watchdog, not a measurement: the old reader blocked here for ever
        RecordingListener listener;
        ExchangeFiles files(store_);
        const int imported = files.ImportProfile(pipe, listener) + files.ImportMacro(pipe, listener);
        std::exit(imported == 0 && listener.Silent() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  for (const std::string& path : {folder, std::string("/dev/null"), std::string("/dev/zero")}) {
    EXPECT_EQ(files_.ImportProfile(path, listener_), 0) << path;
    EXPECT_EQ(files_.ImportMacro(path, listener_), 0) << path;
  }
  EXPECT_TRUE(listener_.Silent());
  EXPECT_EQ(Snapshot(), before);
}

// --- all or nothing -----------------------------------------------------------------

TEST_F(ExchangeFilesTest, FailedInsertMidImportRollsBackTheWholeFile) {
  MakeMacro(u"Keep");
  const int base = store_.AddProfile(ProfileRecord{0, u"Base", u"", 0, 0});
  store_.SetActiveProfile(base);
  const std::string macros =
      "<macroinfo name=\"a\" macro_id=\"11\" times=\"1\" type=\"1\" delaytime=\"0\"><macroitems>"
      "<item desc=\"x\" type=\"2\" value=\"65\" delay_time=\"1\"/></macroitems></macroinfo>"
      "<macroinfo name=\"b\" macro_id=\"12\" times=\"1\" type=\"1\" delaytime=\"0\"><macroitems>"
      "<item desc=\"y\" type=\"2\" value=\"66\" delay_time=\"1\"/>"
      "<item desc=\"z\" type=\"3\" value=\"999\" delay_time=\"1\"/></macroitems></macroinfo>";
  const std::string path = Write("fails.xml",
      "<profile>" + macros + "<profileinfo name=\"f\"/><keyitems>"
      "<item key_code=\"4\" macro_type=\"3\" macro_value=\"11\"/>"
      "<item key_code=\"999\" macro_type=\"2\" macro_value=\"5\"/>"
      "<item key_code=\"6\" macro_type=\"3\" macro_value=\"12\"/>"
      "</keyitems></profile>");
  const std::string macroPath = Write("Fails.xml.m",
      "<macro><macroinfo name=\"b\"><macroitems><item desc=\"y\" type=\"2\" value=\"66\"/>"
      "<item desc=\"z\" type=\"3\" value=\"999\"/></macroitems></macroinfo></macro>");
  const Counts before = Snapshot();

  struct Case {
    const char* what;
    const char* trigger;
  } cases[] = {
      {"key item", "CREATE TRIGGER boom BEFORE INSERT ON t_key_macro_data WHEN NEW.key_code = 999 "
                   "BEGIN SELECT RAISE(ABORT, 'x'); END;"},
      {"step of the second macro", "CREATE TRIGGER boom BEFORE INSERT ON t_macrorecord WHEN NEW.value = 999 "
                                   "BEGIN SELECT RAISE(ABORT, 'x'); END;"},
      {"second macro", "CREATE TRIGGER boom BEFORE INSERT ON t_macro_data WHEN NEW.name = 'b' "
                       "BEGIN SELECT RAISE(ABORT, 'x'); END;"},
      {"profile", "CREATE TRIGGER boom BEFORE INSERT ON t_profile_data BEGIN SELECT RAISE(ABORT, 'x'); END;"},
      {"making it active", "CREATE TRIGGER boom BEFORE UPDATE ON t_profile_data WHEN NEW.status = 1 "
                           "BEGIN SELECT RAISE(ABORT, 'x'); END;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(Exec(c.trigger));
    RecordingListener listener;
    EXPECT_EQ(files_.ImportProfile(path, listener), 0);
    EXPECT_TRUE(listener.Silent());
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(QueryInt("SELECT count(*) FROM t_macro_data WHERE name IN ('a', 'b')"), 0);
    ASSERT_TRUE(Exec("DROP TRIGGER boom;"));
  }

  ASSERT_TRUE(Exec("CREATE TRIGGER boom BEFORE INSERT ON t_macrorecord WHEN NEW.value = 999 "
                   "BEGIN SELECT RAISE(ABORT, 'x'); END;"));
  RecordingListener listener;
  EXPECT_EQ(files_.ImportMacro(macroPath, listener), 0);
  EXPECT_TRUE(listener.Silent());
  EXPECT_EQ(Snapshot(), before);
  ASSERT_TRUE(Exec("DROP TRIGGER boom;"));

  // Without the trap the same files import, so the refusals above came from the failed inserts.
  const int profile = files_.ImportProfile(path, listener);
  ASSERT_GT(profile, 0);
  EXPECT_EQ(listener.macros.size(), 2u);
  EXPECT_EQ(QueryInt("SELECT count(*) FROM t_key_macro_data WHERE profile = " + std::to_string(profile)), 3);
  EXPECT_GT(files_.ImportMacro(macroPath, listener), 0);
}
