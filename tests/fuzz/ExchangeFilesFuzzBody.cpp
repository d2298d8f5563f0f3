#include "tests/fuzz/ExchangeFilesFuzzBody.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/XmlDocument.h"
#include "store/ExchangeFiles.h"
#include "store/MacroLimits.h"
#include "store/ProfileStore.h"
#include "zephui/Text.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "exchange files invariant broken: %s\n", what);
  std::abort();
}

class Recorder : public ExchangeListener {
 public:
  struct Macro {
    std::u16string name;
    int id;
    bool select;
  };
  void MacroImported(const std::u16string& name, int macroId, bool select) override {
    macros.push_back(Macro{name, macroId, select});
  }
  void ProfileImported(const std::u16string& name, int profileId) override {
    profiles.push_back(Macro{name, profileId, true});
  }
  std::vector<Macro> macros;
  std::vector<Macro> profiles;
};

// A second connection to the same file: the checks count rows without going through the store.
class RawSql {
 public:
  explicit RawSql(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) Require(false, "open raw");
    sqlite3_busy_timeout(db_, 2000);
  }
  ~RawSql() { sqlite3_close(db_); }
  RawSql(const RawSql&) = delete;
  RawSql& operator=(const RawSql&) = delete;

  long long Int(const std::string& sql) const {
    sqlite3_stmt* statement = nullptr;
    long long value = 0;
    Require(sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK, "prepare raw query");
    if (sqlite3_step(statement) == SQLITE_ROW) value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return value;
  }
  void Exec(const char* sql) const { Require(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK, sql); }

 private:
  sqlite3* db_ = nullptr;
};

struct Counts {
  long long profiles, keys, macros, steps, active;
  bool operator==(const Counts&) const = default;
};

// One database for the whole run, with a macro and a profile that survive every clean-up, so files that
// name macro 1 "keep" exercise the reuse of known macros.
struct FuzzStore {
  FuzzStore() {
    char pattern[] = "/tmp/xf-store-XXXXXX";
    Require(::mkdtemp(pattern) != nullptr, "temp folder");
    folder = std::string(pattern) + "/";
    Require(::mkdir((folder + "db").c_str(), 0700) == 0, "db folder");
    Require(store.OpenDeviceDatabase(folder, u"Fuzz Board"), "open store");
    raw = std::make_unique<RawSql>(store.Path());
    keptMacro = store.AddMacro(u"keep");
    store.AddSteps({StepRecord{0, keptMacro, 2, 0, 65, 10, u"A"}, StepRecord{0, keptMacro, 3, 1, 65, 10, u"A"}});
    baseProfile = store.AddProfile(ProfileRecord{0, u"base", u"", 0, 0});
    KeyAssignmentRecord key;
    key.profile = baseProfile;
    key.keyCode = 4;
    key.macroType = kMacroAssignment;
    key.macroValue = keptMacro;
    store.SaveKeyAssignment(key);
    store.SetActiveProfile(baseProfile);
  }
  ~FuzzStore() {
    raw.reset();
    store.Close();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  FuzzStore(const FuzzStore&) = delete;
  FuzzStore& operator=(const FuzzStore&) = delete;

  Counts Snapshot() const {
    return Counts{raw->Int("SELECT count(*) FROM t_profile_data"), raw->Int("SELECT count(*) FROM t_key_macro_data"),
                  raw->Int("SELECT count(*) FROM t_macro_data"), raw->Int("SELECT count(*) FROM t_macrorecord"),
                  raw->Int("SELECT profile FROM t_profile_data WHERE status = 1")};
  }

  // Keeps every iteration small: only the base rows stay.
  void Trim() {
    const std::string keep = std::to_string(keptMacro);
    const std::string base = std::to_string(baseProfile);
    raw->Exec(("DELETE FROM t_macrorecord WHERE macro_id <> " + keep).c_str());
    raw->Exec(("DELETE FROM t_macro_data WHERE macro_id <> " + keep).c_str());
    raw->Exec(("DELETE FROM t_key_macro_data WHERE profile <> " + base).c_str());
    raw->Exec(("DELETE FROM t_profile_data WHERE profile <> " + base).c_str());
    store.SetActiveProfile(baseProfile);
  }

  std::string folder;
  ProfileStore store;
  std::unique_ptr<RawSql> raw;
  int keptMacro = 0;
  int baseProfile = 0;
  unsigned iterations = 0;
};

FuzzStore& Store() {
  static FuzzStore store;
  return store;
}

// The attribute parser turns tabs and line ends into blanks (a CR LF pair into one), so text that held
// them comes back from a written file in this form.
std::u16string Flatten(std::u16string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    out += c == u'\r' || c == u'\n' || c == u'\t' ? u' ' : c;
  }
  return out;
}

std::vector<StepRecord> Steps(ProfileStore& store, int macroId) {
  std::vector<StepRecord> steps;
  store.ListSteps(macroId, steps);
  return steps;
}

// A new macro's steps are numbered 0, 1, 2, …, stay under the limit and wait no longer than the recorder could.
void CheckNumbering(const std::vector<StepRecord>& steps) {
  Require(steps.size() <= static_cast<std::size_t>(ExchangeFiles::kMaxSteps), "too many steps stored");
  for (std::size_t i = 0; i < steps.size(); ++i) {
    Require(steps[i].recordIndex == static_cast<int>(i), "record indexes are not 0..n-1");
    Require(steps[i].delayTime >= 0 && steps[i].delayTime <= kMaxStepDelayMs, "a step delay is out of range");
  }
}

bool SameSettingsAndSteps(ProfileStore& store, int a, int b) {
  MacroRecord ma;
  MacroRecord mb;
  if (!store.ReadMacro(a, ma) || !store.ReadMacro(b, mb)) return false;
  if (ma.playTimes != mb.playTimes || ma.delayType != mb.delayType || ma.delayTime != mb.delayTime) return false;
  const std::vector<StepRecord> sa = Steps(store, a);
  const std::vector<StepRecord> sb = Steps(store, b);
  if (sa.size() != sb.size()) return false;
  for (std::size_t i = 0; i < sa.size(); ++i) {
    if (sa[i].type != sb[i].type || sa[i].value != sb[i].value || sa[i].delayTime != sb[i].delayTime ||
        Flatten(sa[i].description) != Flatten(sb[i].description)) {
      return false;
    }
  }
  return true;
}

// Every macro_value the file's key items give, read independently of the importer.
std::set<int> FileMacroValues(std::string_view bytes) {
  std::set<int> values;
  XmlDocument xml;
  if (!xml.LoadBytes(bytes) || !xml.FindSibling(u"profile") || !xml.Enter()) return values;
  while (xml.FindSibling(u"keyitems")) {
    xml.Enter();
    while (xml.FindSibling(u"item")) values.insert(ZephUI::ParseDecimal(xml.Attribute(u"macro_value")));
    xml.Leave();
  }
  return values;
}

void CheckProfileImport(FuzzStore& s, const std::string& path, std::string_view bytes) {
  std::vector<MacroRecord> before;
  s.store.ListMacros(before);
  std::set<int> oldIds;
  for (const MacroRecord& m : before) oldIds.insert(m.macroId);
  const Counts was = s.Snapshot();
  Recorder told;
  ExchangeFiles files(s.store);
  const int profile = files.ImportProfile(path, told);
  const Counts now = s.Snapshot();

  Require(profile >= 0, "negative profile id");
  std::set<int> newIds;
  long long newSteps = 0;
  for (const Recorder::Macro& m : told.macros) {
    Require(m.select, "profile import must select its macros");
    Require(m.id > 0 && !oldIds.contains(m.id) && newIds.insert(m.id).second, "reported macro id is not new");
    MacroRecord stored;
    Require(s.store.ReadMacro(m.id, stored) && stored.name == m.name, "reported macro is not stored as told");
    const std::vector<StepRecord> steps = Steps(s.store, m.id);
    CheckNumbering(steps);
    newSteps += static_cast<long long>(steps.size());
  }
  Require(told.macros.size() <= static_cast<std::size_t>(ExchangeFiles::kMaxMacros), "too many macros");
  Require(now.macros == was.macros + static_cast<long long>(told.macros.size()), "unreported macros stored");
  Require(now.steps == was.steps + newSteps, "steps stored outside the new macros");

  if (profile == 0) {
    Require(told.profiles.empty() && told.macros.empty(), "listener told of an import that reported failure");
    Require(now == was, "refused import changed the database");
    return;
  }

  const std::u16string name = ExchangeFiles::NameFromPath(path);
  Require(told.profiles.size() == 1 && told.profiles[0].id == profile && told.profiles[0].name == name,
          "listener not told exactly once of the new profile");
  Require(now.profiles == was.profiles + 1 && now.active == profile &&
              s.raw->Int("SELECT count(*) FROM t_profile_data WHERE status = 1") == 1,
          "new profile is not the one active profile");
  std::u16string storedName;
  Require(s.store.GetProfileName(profile, storedName) && storedName == name, "profile not named after the file");

  const std::string where = " FROM t_key_macro_data WHERE profile = " + std::to_string(profile);
  const long long rows = s.raw->Int("SELECT count(*)" + where);
  Require(rows <= ExchangeFiles::kMaxKeyItems && now.keys == was.keys + rows, "key rows outside the new profile");
  Require(s.raw->Int("SELECT count(*)" + where + " AND (key_code = 0 OR (macro_value = 0 AND macro_value2 = 0))") == 0,
          "a default assignment was stored");
  const std::set<int> given = FileMacroValues(bytes);
  std::vector<KeyAssignmentRecord> layer0;
  s.store.ListKeyAssignments(profile, 0, layer0);
  for (const KeyAssignmentRecord& k : layer0) {
    const bool fromFile = given.contains(k.macroValue);
    Require(fromFile || (k.macroType == kMacroAssignment && newIds.contains(k.macroValue)),
            "key plays a macro value neither in the file nor imported");
  }

  // Written out and read back into the same database, the profile must come back as it is, on the macros it
  // already has.
  const std::string again = s.folder + "rt.again.xml";
  Require(files.ExportProfile(profile, again), "export of an imported profile failed");
  Recorder toldAgain;
  const int copy = files.ImportProfile(again, toldAgain);
  Require(copy > profile, "re-import of an exported profile failed");
  std::vector<KeyAssignmentRecord> copied;
  s.store.ListKeyAssignments(copy, 0, copied);
  Require(copied.size() == layer0.size(), "round trip changed the number of keys");
  for (std::size_t i = 0; i < copied.size(); ++i) {
    const KeyAssignmentRecord& a = layer0[i];
    const KeyAssignmentRecord& b = copied[i];
    Require(a.keyCode == b.keyCode && a.layoutValue == b.layoutValue && a.macroType == b.macroType &&
                a.macroValue2 == b.macroValue2 && a.macroValue3 == b.macroValue3 && b.layer == 0,
            "round trip changed a key's numbers");
    Require(Flatten(a.layoutDescription) == b.layoutDescription && Flatten(a.description) == b.description,
            "round trip changed a key's texts");
    if (a.macroValue == b.macroValue) continue;
    // Only a macro whose name does not survive the attribute parser is copied instead of reused.
    MacroRecord played;
    Require(a.macroType == kMacroAssignment && s.store.ReadMacro(a.macroValue, played) &&
                Flatten(played.name) != played.name && SameSettingsAndSteps(s.store, a.macroValue, b.macroValue),
            "round trip did not reuse or faithfully copy a played macro");
  }
}

// What the importer should take from a macro file: the first <macroinfo>'s settings and its step count.
struct MacroFileView {
  bool found = false;
  int times = 0, type = 0, delay = 0;
  std::size_t steps = 0;
};

MacroFileView ReadMacroFile(std::string_view bytes) {
  MacroFileView view;
  XmlDocument xml;
  if (!xml.LoadBytes(bytes) || !xml.FindSibling(u"macro") || !xml.Enter() || !xml.FindSibling(u"macroinfo")) return view;
  view.found = true;
  view.times = ZephUI::ParseDecimal(xml.Attribute(u"times"));
  view.type = ZephUI::ParseDecimal(xml.Attribute(u"type"));
  view.delay = std::clamp(ZephUI::ParseDecimal(xml.Attribute(u"delaytime")), 0, kMaxStepDelayMs);
  xml.Enter();
  if (xml.FindSibling(u"macroitems") && xml.Enter()) {
    while (xml.FindSibling(u"item")) ++view.steps;
  }
  return view;
}

void CheckMacroImport(FuzzStore& s, const std::string& path, std::string_view bytes) {
  const Counts was = s.Snapshot();
  Recorder told;
  ExchangeFiles files(s.store);
  const int macro = files.ImportMacro(path, told);
  const Counts now = s.Snapshot();
  Require(macro >= 0, "negative macro id");
  Require(told.profiles.empty(), "macro import told of a profile");
  if (macro == 0) {
    Require(told.macros.empty() && now == was, "refused macro import changed something");
    return;
  }
  const std::u16string name = ExchangeFiles::NameFromPath(path);
  Require(told.macros.size() == 1 && told.macros[0].id == macro && told.macros[0].name == name &&
              !told.macros[0].select,
          "listener not told exactly once of the new macro");
  const MacroFileView view = ReadMacroFile(bytes);
  MacroRecord stored;
  Require(view.found && s.store.ReadMacro(macro, stored), "imported macro missing or not in the file");
  Require(stored.name == name && stored.playTimes == view.times && stored.delayType == view.type &&
              stored.delayTime == view.delay && stored.linkCount == 0 && stored.loopType == 0,
          "imported macro settings differ from the file");
  const std::vector<StepRecord> steps = Steps(s.store, macro);
  CheckNumbering(steps);
  Require(steps.size() == view.steps, "imported step count differs from the file");
  Require(now.macros == was.macros + 1 && now.steps == was.steps + static_cast<long long>(steps.size()) &&
              now.profiles == was.profiles && now.keys == was.keys,
          "macro import stored more than the macro");

  const std::string again = s.folder + "rt.again.xml";
  Require(files.ExportMacro(macro, again), "export of an imported macro failed");
  Recorder toldAgain;
  const int copy = files.ImportMacro(again, toldAgain);
  Require(copy > macro && SameSettingsAndSteps(s.store, macro, copy), "macro round trip changed the macro");
  const std::vector<StepRecord> copiedSteps = Steps(s.store, copy);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    Require(copiedSteps[i].description == Flatten(steps[i].description), "round trip changed a step text");
  }
}

constexpr const char* kFileNames[] = {"input.name.xml", "input", "Ein\xC3\xBC.xml", ".dot.xml"};

}  // namespace

void FuzzExchangeFilesOnce(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return;
  FuzzStore& s = Store();
  if (++s.iterations % 32 == 0) s.Trim();
  const bool asMacro = (data[0] & 1) != 0;
  const std::string path = s.folder + kFileNames[(data[0] >> 1) & 3];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Require(static_cast<bool>(out), "write input file");
  }
  if (asMacro) {
    CheckMacroImport(s, path, bytes);
  } else {
    CheckProfileImport(s, path, bytes);
  }
}
