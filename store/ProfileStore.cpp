#include "store/ProfileStore.h"

#include <unistd.h>

#include <array>
#include <map>
#include <sys/stat.h>

#include "store/MacroLimits.h"
#include "store/SQLiteAutoTransaction.h"
#include "store/StoreQuery.h"
#include "zephui/Text.h"

namespace {

// Tables first column is the AUTOINCREMENT row id; statements run in this order.
constexpr std::array<const char*, 17> kSchema = {
    "CREATE TABLE IF NOT EXISTS t_configdata (config_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
    "key TEXT, value TEXT)",
    "CREATE TABLE IF NOT EXISTS t_profile_data (profile INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT, "
    "status INTEGER, app TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS profileindex ON t_profile_data (profile)",
    "CREATE TABLE IF NOT EXISTS t_key_macro_data (key_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
    "fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, layout_desc TEXT, macro_type INTEGER, "
    "macro_value INTEGER, macro_value2 INTEGER, macro_value3 INTEGER, macro_desc TEXT)",
    "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data (key_id)",
    "CREATE TABLE IF NOT EXISTS t_key_otherdata (macro_value INTEGER PRIMARY KEY AUTOINCREMENT, macro_desc TEXT, "
    "param TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS otheridindex ON t_key_otherdata (macro_value)",
    "CREATE TABLE IF NOT EXISTS t_macro_data (macro_id INTEGER PRIMARY KEY AUTOINCREMENT, play_times INTEGER, "
    "delay_type INTEGER, delay_time INTEGER, link_count INTEGER, loop_type INTEGER, name TEXT)",
    "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data (macro_id)",
    "CREATE TABLE IF NOT EXISTS t_macrorecord (record_id INTEGER PRIMARY KEY AUTOINCREMENT, macro_id INTEGER, "
    "type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, delay_time INTEGER)",
    "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord (record_id)",
    "CREATE TABLE IF NOT EXISTS t_light_data (light_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
    "name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, direction INTEGER, colorful INTEGER, "
    "colorindex INTEGER, color_value INTEGER, config_func INTEGER, reserved INTEGER, status INTEGER)",
    "CREATE INDEX IF NOT EXISTS lightindex ON t_light_data (light_id)",
    "CREATE TABLE IF NOT EXISTS t_key_light_data (keylight_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, light_id INTEGER, key_code INTEGER, key_rgb INTEGER)",
    "CREATE INDEX IF NOT EXISTS keylightindex ON t_key_light_data (keylight_id)",
    "CREATE TABLE IF NOT EXISTS t_musiclayer_data (layer_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
    "name TEXT, deviceindex INTEGER, foremode INTEGER, fore_amplitude INTEGER, backmode INTEGER, "
    "backb_right INTEGER, sel INTEGER)",
    "CREATE INDEX IF NOT EXISTS musiclayerindex ON t_musiclayer_data (layer_id)",
};

constexpr int kOpenExisting = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
constexpr int kOpenNew = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

ProfileStore& ProfileStore::Instance() {
  static ProfileStore store;
  return store;
}

std::string ProfileStore::DatabasePath(const std::string& userDataFolder, const std::u16string& keyboardName) {
  std::string name = ZephUI::ToUtf8(keyboardName);
  for (char& c : name) {
    if (c == '/') c = '_';  // the name must stay one file name
  }
  return userDataFolder + "db/" + name + "_data_v4.db";
}

bool ProfileStore::OpenDeviceDatabase(const std::string& userDataFolder, const std::u16string& keyboardName) {
  Lock lock(lock_);
  path_ = DatabasePath(userDataFolder, keyboardName);
  if (!FileExists(path_)) {
    open_ = CreateDatabase();
  } else if (db_.IsOpen()) {
    open_ = true;
  } else {
    open_ = db_.Open(path_, key_, kOpenExisting) && CreateSchema();
  }
  return open_;
}

bool ProfileStore::CreateDatabase() {
  Lock lock(lock_);
  if (db_.IsOpen()) return true;
  if (!db_.Open(path_, key_, kOpenNew)) return false;
  return CreateSchema();
}

// Every statement creates only what is missing, so running them at each open
// also completes a file whose first creation was cut short (a crash, a full
// disk, an empty file). One transaction: the schema lands whole or not at all.
bool ProfileStore::CreateSchema() {
  SQLiteAutoTransaction transaction(db_);
  bool allCreated = transaction.Active();
  for (const char* statement : kSchema) allCreated = db_.Execute(statement) == SQLITE_OK && allCreated;
  return transaction.Commit() && allCreated;
}

bool ProfileStore::OpenTemporaryDatabase(const std::string& seedPath) {
  Lock lock(lock_);
  path_ = ":memory:";
  open_ = db_.Open(path_, key_, kOpenNew);
  if (open_ && !seedPath.empty()) db_.CopyFrom(seedPath);
  open_ = open_ && CreateSchema();
  return open_;
}

void ProfileStore::Close() {
  Lock lock(lock_);
  db_.Close();
  open_ = false;
}

bool ProfileStore::DeleteDeviceDatabase(const std::string& userDataFolder, const std::u16string& keyboardName) {
  Lock lock(lock_);
  const std::string path = DatabasePath(userDataFolder, keyboardName);
  ::unlink((path + "-wal").c_str());
  ::unlink((path + "-shm").c_str());
  return ::unlink(path.c_str()) == 0;
}

bool ProfileStore::IsOpen() const {
  Lock lock(lock_);
  return open_;
}

std::string ProfileStore::Path() const {
  Lock lock(lock_);
  return path_;
}

void ProfileStore::SetDeviceType(int deviceType) {
  Lock lock(lock_);
  deviceType_ = deviceType;
}

int ProfileStore::DeviceType() const {
  Lock lock(lock_);
  return deviceType_;
}

bool ProfileStore::RunInTransaction(const std::function<bool()>& work) {
  Lock lock(lock_);
  if (transactionDepth_ > 0) return work();  // part of the enclosing transaction
  SQLiteAutoTransaction transaction(db_);
  if (!transaction.Active()) return false;
  ++transactionDepth_;
  const bool done = work();
  --transactionDepth_;
  if (!done) {
    transaction.Rollback();
    return false;
  }
  return transaction.Commit();
}

int ProfileStore::InsertedId(bool inserted) { return inserted ? static_cast<int>(db_.LastInsertId()) : 0; }

// --- profiles and configuration ---------------------------------------------

namespace {

ProfileRecord ReadProfile(const StoreQuery& q) {
  return ProfileRecord{q.Int(0), q.Text(1), q.Text(3), q.Int(4), q.Int(2)};
}

constexpr std::array<std::array<const char16_t*, 2>, 11> kDefaultConfig = {{
    {u"version", u"1.0.1"},
    {u"keyboard_layout", u"1"},
    {u"fn_layer", u"0"},
    {u"lightmode", u"1"},
    {u"sleep_light", u"1"},
    {u"userlight", u"0"},
    {u"customlight_run", u"0"},
    {u"gamemode", u"0"},
    {u"disable_alttab", u"0"},
    {u"disable_altf4", u"0"},
    {u"disable_win", u"0"},
}};

}  // namespace

int ProfileStore::AddProfile(const ProfileRecord& record) {
  Lock lock(lock_);
  StoreQuery q(db_, "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);");
  q.Bind(record.name).Bind(0).Bind(record.app).Bind(0);
  return InsertedId(q.Run());
}

bool ProfileStore::DeleteProfile(int id) {
  Lock lock(lock_);
  return StoreQuery(db_, "DELETE FROM t_profile_data WHERE profile = ?").Bind(id).Run();
}

bool ProfileStore::RenameProfile(int id, std::u16string_view name) {
  Lock lock(lock_);
  return StoreQuery(db_, "UPDATE t_profile_data SET name = ? WHERE profile = ?").Bind(name).Bind(id).Run();
}

bool ProfileStore::GetProfileName(int id, std::u16string& name) {
  Lock lock(lock_);
  name.clear();
  StoreQuery q(db_, "SELECT name FROM t_profile_data WHERE profile = ?");
  if (!q.Bind(id).NextRow()) return false;
  name = q.Text(0);
  return true;
}

int ProfileStore::ListProfiles(std::vector<ProfileRecord>& profiles) {
  Lock lock(lock_);
  profiles.clear();
  StoreQuery q(db_, "SELECT * FROM t_profile_data");
  while (q.NextRow()) profiles.push_back(ReadProfile(q));
  return static_cast<int>(profiles.size());
}

bool ProfileStore::SetActiveProfile(int id) {
  Lock lock(lock_);
  StoreQuery(db_, "UPDATE t_profile_data SET status = ?").Bind(0).Run();
  return StoreQuery(db_, "UPDATE t_profile_data SET status = ? WHERE profile = ?").Bind(1).Bind(id).Run();
}

int ProfileStore::GetActiveProfile() {
  Lock lock(lock_);
  StoreQuery q(db_, "SELECT profile FROM t_profile_data WHERE status = ?");
  return q.Bind(1).NextRow() ? q.Int(0) : 0;
}

void ProfileStore::WriteDefaultConfig() {
  Lock lock(lock_);
  for (const auto& [key, value] : kDefaultConfig) {
    StoreQuery(db_, "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);").Bind(1).Bind(key).Bind(value).Run();
  }
}

// --- the music layer ----------------------------------------------------------

int ProfileStore::CountMusicLayers() {
  Lock lock(lock_);
  StoreQuery q(db_, "select count(*) FROM t_musiclayer_data WHERE profile = ?");
  return q.Bind(1).NextRow() ? q.Int(0) : 0;
}

int ProfileStore::AddMusicLayer(std::u16string_view name, int foreMode) {
  Lock lock(lock_);
  StoreQuery q(db_,
               "INSERT INTO t_musiclayer_data(profile, name, deviceindex, foremode, fore_amplitude, backmode, "
               "backb_right, sel) VALUES (?, ?, ?, ?, ?, ?, ?, ?);");
  q.Bind(1).Bind(name).Bind(0).Bind(foreMode).Bind(300).Bind(0).Bind(100).Bind(0);
  return q.Run() ? InsertedId(true) : q.Result();
}

bool ProfileStore::SelectMusicLayer() {
  Lock lock(lock_);
  StoreQuery(db_, "UPDATE t_musiclayer_data SET sel = ? WHERE profile = ?").Bind(0).Bind(1).Run();
  return StoreQuery(db_, "UPDATE t_musiclayer_data SET sel = ? WHERE profile = ? AND layer_id = ?")
      .Bind(1).Bind(1).Bind(1).Run();
}

int ProfileStore::GetSelectedMusicLayer() {
  Lock lock(lock_);
  StoreQuery q(db_, "SELECT layer_id FROM t_musiclayer_data WHERE profile = ? AND sel = ?");
  return q.Bind(1).Bind(1).NextRow() ? q.Int(0) : 0;
}

bool ProfileStore::ReadMusicLayer(int layerId, MusicLayerRecord& record) {
  Lock lock(lock_);
  StoreQuery q(db_, "SELECT * FROM t_musiclayer_data WHERE layer_id = ?");
  if (!q.Bind(layerId).NextRow()) return false;
  record = MusicLayerRecord{q.Int(0), q.Int(1), q.Text(2), q.Int(3), q.Int(4), q.Int(5), q.Int(6), q.Int(7), q.Int(8)};
  return true;
}

bool ProfileStore::UpdateMusicLayer(const MusicLayerRecord& record) {
  Lock lock(lock_);
  StoreQuery q(db_,
               "UPDATE t_musiclayer_data SET deviceindex= ?, foremode= ?, fore_amplitude = ?, backmode= ?, "
               "backb_right= ? WHERE layer_id = ?");
  q.Bind(record.deviceIndex).Bind(record.foreMode).Bind(record.foreAmplitude).Bind(record.backMode);
  return q.Bind(record.backBright).Bind(1).Run();
}

// --- key assignments ------------------------------------------------------------

namespace {

KeyAssignmentRecord ReadAssignment(const StoreQuery& q) {
  return KeyAssignmentRecord{q.Int(0), q.Int(1), q.Int(2), q.Int(3), q.Int(4), q.Text(5),
                             q.Int(6), q.Int(7), q.Int(8), q.Int(9), q.Text(10)};
}

}  // namespace

int ProfileStore::SaveKeyAssignment(const KeyAssignmentRecord& r) {
  if (r.keyCode == 0) return 0;
  Lock lock(lock_);
  StoreQuery(db_, "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?")
      .Bind(r.profile).Bind(r.layer).Bind(r.keyCode).Run();
  if (r.macroValue == 0 && r.macroValue2 == 0) return 0;  // the default needs no row
  StoreQuery q(db_,
               "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, layout_desc, macro_type, "
               "macro_value, macro_value2, macro_value3, macro_desc) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
  q.Bind(r.profile).Bind(r.layer).Bind(r.keyCode).Bind(r.layoutValue).Bind(r.layoutDescription);
  q.Bind(r.macroType).Bind(r.macroValue).Bind(r.macroValue2).Bind(r.macroValue3).Bind(r.description);
  return InsertedId(q.Run());
}

bool ProfileStore::ReadKeyAssignment(int profile, int layer, int keyCode, KeyAssignmentRecord& record) {
  Lock lock(lock_);
  StoreQuery q(db_, "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?");
  if (!q.Bind(profile).Bind(layer).Bind(keyCode).NextRow()) return false;
  record = ReadAssignment(q);
  return true;
}

int ProfileStore::ListKeyAssignments(int profile, int layer, std::vector<KeyAssignmentRecord>& records) {
  Lock lock(lock_);
  records.clear();
  StoreQuery q(db_, "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?");
  q.Bind(profile).Bind(layer);
  while (q.NextRow()) records.push_back(ReadAssignment(q));
  return static_cast<int>(records.size());
}

void ProfileStore::DeleteAllKeyAssignments(int profile) {
  Lock lock(lock_);
  StoreQuery(db_, "DELETE FROM t_key_macro_data WHERE profile = ?").Bind(profile).Run();
}

int ProfileStore::AddOtherData(const OtherDataRecord& record) {
  Lock lock(lock_);
  StoreQuery q(db_, "INSERT INTO t_key_otherdata(macro_desc, param, type) VALUES (?, ?, ?);");
  return InsertedId(q.Bind(record.description).Bind(record.param).Bind(record.type).Run());
}

bool ProfileStore::ReadOtherData(int id, OtherDataRecord& record) {
  Lock lock(lock_);
  StoreQuery q(db_, "SELECT macro_desc, param, type FROM t_key_otherdata WHERE macro_value = ?");
  if (q.Bind(id).NextRow()) record = OtherDataRecord{q.Text(0), q.Text(1), q.Int(2)};
  return true;
}

// --- macros -------------------------------------------------------------------------

namespace {

MacroRecord ReadMacroRow(const StoreQuery& q) {
  MacroRecord m;
  m.macroId = q.Int(0);
  m.playTimes = q.Int(1);
  m.delayType = q.Int(2);
  m.delayTime = q.Int(3);
  m.linkCount = q.Int(4);
  m.loopType = q.Int(5);
  m.name = q.Text(6);
  return m;
}

StepRecord ReadStep(const StoreQuery& q) {
  return StepRecord{q.Int(0), q.Int(1), q.Int(2), q.Int(3), q.Int(5), q.Int(6), q.Text(4)};
}

}  // namespace

int ProfileStore::AddMacro(std::u16string_view name) {
  MacroRecord record;
  record.name = name;
  return AddMacro(record);
}

int ProfileStore::AddMacro(const MacroRecord& record) {
  int idOrResult = 0;
  InsertMacro(record, idOrResult);
  return idOrResult;
}

bool ProfileStore::InsertMacro(const MacroRecord& r, int& idOrResult) {
  Lock lock(lock_);
  StoreQuery q(db_,
               "INSERT INTO t_macro_data(play_times, delay_type, delay_time, link_count, loop_type, name) "
               "VALUES (?, ?, ?, ?, ?, ?);");
  q.Bind(r.playTimes).Bind(r.delayType).Bind(r.delayTime).Bind(r.linkCount).Bind(r.loopType).Bind(r.name);
  const bool inserted = q.Run();
  idOrResult = inserted ? InsertedId(true) : q.Result();
  return inserted;
}

bool ProfileStore::RenameMacro(int id, std::u16string_view name) {
  Lock lock(lock_);
  return StoreQuery(db_, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?").Bind(name).Bind(id).Run();
}

bool ProfileStore::UpdateMacroSettings(const MacroRecord& r) {
  Lock lock(lock_);
  StoreQuery q(db_,
               "UPDATE t_macro_data SET play_times = ?, delay_type = ?, delay_time = ?, loop_type = ? "
               "WHERE macro_id = ?");
  return q.Bind(r.playTimes).Bind(r.delayType).Bind(r.delayTime).Bind(r.loopType).Bind(r.macroId).Run();
}

bool ProfileStore::DeleteMacro(int id) {
  return RunInTransaction([&] {
    if (!StoreQuery(db_, "DELETE FROM t_macro_data WHERE macro_id = ?").Bind(id).Run()) return false;
    StoreQuery(db_, "DELETE FROM t_macrorecord WHERE macro_id = ?").Bind(id).Run();
    // Keys that played the macro fall back to their default behaviour.
    return StoreQuery(db_, "DELETE FROM t_key_macro_data WHERE macro_type = ? and macro_value = ?")
        .Bind(kMacroAssignment).Bind(id).Run();
  });
}

bool ProfileStore::GetMacroPlayTimes(int id, int& playTimes) {
  Lock lock(lock_);
  StoreQuery q(db_, "SELECT play_times FROM t_macro_data WHERE macro_id = ?");
  if (!q.Bind(id).NextRow()) return false;
  playTimes = q.Int(0);
  return true;
}

bool ProfileStore::ReadMacro(int id, MacroRecord& record) {
  Lock lock(lock_);
  StoreQuery q(db_, "SELECT * FROM t_macro_data WHERE macro_id = ?");
  if (!q.Bind(id).NextRow()) return false;
  record = ReadMacroRow(q);
  return true;
}

int ProfileStore::ListMacros(std::vector<MacroRecord>& macros) {
  Lock lock(lock_);
  macros.clear();
  StoreQuery q(db_, "SELECT * FROM t_macro_data");
  while (q.NextRow()) macros.push_back(ReadMacroRow(q));
  return static_cast<int>(macros.size());
}

int ProfileStore::CopyMacro(int id, std::u16string_view newName) {
  int newId = 0;
  const bool copied = RunInTransaction([&] {
    MacroRecord macro;
    if (!ReadMacro(id, macro)) return false;
    macro.name = newName;
    if (!InsertMacro(macro, newId)) return false;
    std::vector<StepRecord> steps;
    ListSteps(id, steps);
    for (StepRecord& step : steps) step.macroId = newId;
    return steps.size() <= static_cast<std::size_t>(kMaxMacroSteps) && InsertSteps(steps);
  });
  return copied ? newId : 0;
}

// --- macro steps ------------------------------------------------------------------------

namespace {

constexpr const char* kInsertStep =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) VALUES (?, ?, ?, ?, ?, ?);";

bool BindAndRunStep(StoreQuery& q, const StepRecord& s) {
  return q.Bind(s.macroId).Bind(s.type).Bind(s.recordIndex).Bind(s.description).Bind(s.value).Bind(s.delayTime).Run();
}

// Gives the steps to one macro and numbers them in order.
void NumberSteps(std::vector<StepRecord>& steps, int macroId) {
  for (std::size_t i = 0; i < steps.size(); ++i) {
    steps[i].macroId = macroId;
    steps[i].recordIndex = static_cast<int>(i);
  }
}

bool TooManySteps(std::size_t count) { return count > static_cast<std::size_t>(kMaxMacroSteps); }

}  // namespace

int ProfileStore::AddStep(const StepRecord& step) {
  Lock lock(lock_);
  if (CountSteps(step.macroId) >= kMaxMacroSteps) return SQLITE_TOOBIG;
  StoreQuery q(db_, kInsertStep);
  return BindAndRunStep(q, step) ? InsertedId(true) : q.Result();
}

// One prepared statement for the whole batch: preparing per step costs more than the insert.
bool ProfileStore::InsertSteps(const std::vector<StepRecord>& steps) {
  StoreQuery q(db_, kInsertStep);
  for (const StepRecord& step : steps) {
    q.Reset();
    if (!BindAndRunStep(q, step)) return false;
  }
  return true;
}

int ProfileStore::CountSteps(int macroId) {
  Lock lock(lock_);
  StoreQuery q(db_, "SELECT count(*) FROM t_macrorecord WHERE macro_id = ?");
  return q.Bind(macroId).NextRow() ? q.Int(0) : 0;
}

// No macro may end up with more than kMaxMacroSteps, counting the steps it already has.
bool ProfileStore::StepsFit(const std::vector<StepRecord>& steps) {
  std::map<int, std::size_t> added;
  for (const StepRecord& step : steps) ++added[step.macroId];
  for (const auto& [macroId, count] : added) {
    if (TooManySteps(count) || TooManySteps(count + static_cast<std::size_t>(CountSteps(macroId)))) return false;
  }
  return true;
}

int ProfileStore::AddSteps(std::vector<StepRecord> steps) {
  const bool stored = RunInTransaction([&] { return StepsFit(steps) && InsertSteps(steps); });
  return stored ? static_cast<int>(steps.size()) : 0;
}

bool ProfileStore::ReplaceSteps(int macroId, std::vector<StepRecord> steps) {
  if (TooManySteps(steps.size())) return false;
  NumberSteps(steps, macroId);
  // One transaction: a crash keeps either the old steps or the new ones.
  return RunInTransaction([&] {
    return StoreQuery(db_, "DELETE FROM t_macrorecord WHERE macro_id = ?").Bind(macroId).Run() && InsertSteps(steps);
  });
}

bool ProfileStore::AddMacroWithSteps(const MacroRecord& record, std::vector<StepRecord> steps, int& macroId) {
  macroId = 0;
  if (TooManySteps(steps.size())) return false;
  int newId = 0;
  const bool stored = RunInTransaction([&] {
    if (!InsertMacro(record, newId)) return false;
    NumberSteps(steps, newId);
    return InsertSteps(steps);
  });
  if (stored) macroId = newId;
  return stored;
}

int ProfileStore::ListSteps(int macroId, std::vector<StepRecord>& steps) {
  Lock lock(lock_);
  steps.clear();
  StoreQuery q(db_, "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC");
  q.Bind(macroId);
  while (q.NextRow()) steps.push_back(ReadStep(q));
  return static_cast<int>(steps.size());
}

bool ProfileStore::DeleteSteps(int macroId) {
  Lock lock(lock_);
  return StoreQuery(db_, "DELETE FROM t_macrorecord WHERE macro_id = ?").Bind(macroId).Run();
}

int ProfileStore::CountKeyEvents(int macroId) {
  std::vector<StepRecord> steps;
  ListSteps(macroId, steps);
  int count = 0;
  for (const StepRecord& step : steps) count += step.type != 1 ? 1 : 0;
  return count;
}

// --- lighting -----------------------------------------------------------------------------

namespace {

LightRecord ReadLight(const StoreQuery& q) {
  return LightRecord{q.Int(0), q.Int(1), q.Text(2), q.Int(3),  q.Int(4),  q.Int(5), q.Int(6),
                     q.Int(7), q.Int(8), q.Int(9),  q.Int(10), q.Int(11), q.Int(12)};
}

}  // namespace

int ProfileStore::CountLightModes(int profile) {
  Lock lock(lock_);
  StoreQuery q(db_, "select count(*) FROM t_light_data WHERE profile = ?");
  return q.Bind(profile).NextRow() ? q.Int(0) : 0;
}

int ProfileStore::AddLightMode(const LightRecord& r) {
  Lock lock(lock_);
  StoreQuery q(db_,
               "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, colorful, colorindex, "
               "color_value, config_func, reserved, status) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
  q.Bind(r.profile).Bind(r.name).Bind(r.mode).Bind(r.brightness).Bind(r.speed).Bind(r.direction);
  q.Bind(r.colorful).Bind(r.colorIndex).Bind(r.colorValue).Bind(r.configFunc).Bind(r.reserved).Bind(r.status);
  return InsertedId(q.Run());
}

bool ProfileStore::UpdateLightModeSettings(int profile, int mode, const LightRecord& r) {
  Lock lock(lock_);
  StoreQuery q(db_,
               "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, colorindex = ?, "
               "color_value = ?, config_func = ?, reserved = ? WHERE profile = ? and mode = ?");
  q.Bind(r.brightness).Bind(r.speed).Bind(r.direction).Bind(r.colorful).Bind(r.colorIndex).Bind(r.colorValue);
  return q.Bind(r.configFunc).Bind(r.reserved).Bind(profile).Bind(mode).Run();
}

bool ProfileStore::SetActiveLightMode(int profile, int mode) {
  Lock lock(lock_);
  StoreQuery(db_, "UPDATE t_light_data SET status = ?").Bind(0).Run();
  return StoreQuery(db_, "UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?")
      .Bind(1).Bind(profile).Bind(mode).Run();
}

int ProfileStore::GetActiveLightMode(int profile) {
  Lock lock(lock_);
  StoreQuery q(db_, "SELECT mode FROM t_light_data WHERE profile = ? and status = ?");
  return q.Bind(profile).Bind(1).NextRow() ? q.Int(0) : 0;
}

bool ProfileStore::ReadLightMode(int profile, int mode, LightRecord& record) {
  Lock lock(lock_);
  StoreQuery q(db_, "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?");
  if (!q.Bind(profile).Bind(mode).NextRow()) return false;
  record = ReadLight(q);
  return true;
}

int ProfileStore::ListLightModes(int profile, std::vector<LightRecord>& records) {
  Lock lock(lock_);
  records.clear();
  StoreQuery q(db_, "SELECT * FROM t_light_data WHERE profile = ?");
  q.Bind(profile);
  while (q.NextRow()) records.push_back(ReadLight(q));
  return static_cast<int>(records.size());
}

bool ProfileStore::InsertKeyColors(const std::vector<KeyColorRecord>& colors) {
  for (const KeyColorRecord& c : colors) {
    StoreQuery q(db_, "INSERT INTO t_key_light_data(profile, light_id, key_code, key_rgb) VALUES (?, ?, ?, ?);");
    if (!q.Bind(c.profile).Bind(c.lightId).Bind(c.keyCode).Bind(c.keyColor).Run()) return false;
  }
  return true;
}

int ProfileStore::SaveKeyColors(std::vector<KeyColorRecord> colors) {
  const bool stored = RunInTransaction([&] { return InsertKeyColors(colors); });
  return stored ? static_cast<int>(colors.size()) : 0;
}

bool ProfileStore::ReplaceKeyColors(std::vector<KeyColorRecord> colors, int set) {
  return RunInTransaction([&] {
    return StoreQuery(db_, "DELETE FROM t_key_light_data WHERE light_id = ?").Bind(set).Run() &&
           InsertKeyColors(colors);
  });
}

bool ProfileStore::DeleteKeyColors(int set) {
  Lock lock(lock_);
  return StoreQuery(db_, "DELETE FROM t_key_light_data WHERE light_id = ?").Bind(set).Run();
}

int ProfileStore::ListKeyColors(std::vector<KeyColorRecord>& colors, int set) {
  Lock lock(lock_);
  colors.clear();
  StoreQuery q(db_, "SELECT * FROM t_key_light_data WHERE light_id = ?");
  q.Bind(set);
  while (q.NextRow()) colors.push_back(KeyColorRecord{q.Int(0), q.Int(1), q.Int(2), q.Int(3), q.Int(4)});
  return static_cast<int>(colors.size());
}
