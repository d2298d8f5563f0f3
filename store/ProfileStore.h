// The process-wide profile store: the one open connection to the current
// keyboard model's database and every operation on its tables. One lock
// serialises all operations; the user-interface thread and the worker both
// call in.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "store/Records.h"
#include "store/SQLiteDB.h"

class StoreQuery;

/// The light id of the custom per-key colour set.
inline constexpr int kCustomColorSet = 128;
/// The macro_type of an assignment that plays a macro.
inline constexpr int kMacroAssignment = 3;

class ProfileStore {
 public:
  /// The store, created on first use and closed at normal process end.
  static ProfileStore& Instance();

  ProfileStore() = default;
  ProfileStore(const ProfileStore&) = delete;
  ProfileStore& operator=(const ProfileStore&) = delete;

  // --- the database file -------------------------------------------------
  /// The database file of a model: "<folder>db/<name>_data_v4.db".
  static std::string DatabasePath(const std::string& userDataFolder, const std::u16string& keyboardName);
  /// Opens the model's database, creating the file when it is new and whatever of the schema is missing; the result is kept as IsOpen.
  bool OpenDeviceDatabase(const std::string& userDataFolder, const std::u16string& keyboardName);
  /// Opens and creates a new database at the current path; true when every schema statement succeeded.
  bool CreateDatabase();
  /// Opens a database in memory, a copy of the file `seedPath` (a path or a "file:" URI) when it names a readable one; nothing is written to disk.
  bool OpenTemporaryDatabase(const std::string& seedPath);
  /// Closes the connection.
  void Close();
  /// Deletes the model's database file (and its write-ahead log).
  bool DeleteDeviceDatabase(const std::string& userDataFolder, const std::u16string& keyboardName);
  /// The result of the last open.
  bool IsOpen() const;
  /// The current database path, UTF-8.
  std::string Path() const;
  /// Records the device type of the model whose database is open.
  void SetDeviceType(int deviceType);
  /// The recorded device type.
  int DeviceType() const;
  /// Runs several operations as one transaction: committed when `work` returns true, else rolled back.
  bool RunInTransaction(const std::function<bool()>& work);

  // --- profiles and configuration ------------------------------------------
  /// Adds a profile (name, app), inactive; the new id or 0.
  int AddProfile(const ProfileRecord& record);
  /// Deletes the profile's row only.
  bool DeleteProfile(int id);
  /// Renames a profile.
  bool RenameProfile(int id, std::u16string_view name);
  /// The profile's name; false when there is no such row (the name is emptied first).
  bool GetProfileName(int id, std::u16string& name);
  /// All profiles in row order; the count.
  int ListProfiles(std::vector<ProfileRecord>& profiles);
  /// Makes exactly this profile active (none when it does not exist).
  bool SetActiveProfile(int id);
  /// The first active profile's id, 0 when none.
  int GetActiveProfile();
  /// Writes the eleven default configuration rows for profile 1.
  void WriteDefaultConfig();

  // --- the music layer -------------------------------------------------------
  /// Number of music layers of profile 1.
  int CountMusicLayers();
  /// Adds layer 1 with the defaults; the new id, or the SQLite result code on failure.
  int AddMusicLayer(std::u16string_view name, int foreMode);
  /// Selects layer 1.
  bool SelectMusicLayer();
  /// The selected layer's id, 0 when none.
  int GetSelectedMusicLayer();
  /// Reads a layer; false when there is no such row.
  bool ReadMusicLayer(int layerId, MusicLayerRecord& record);
  /// Writes the five settings of the record to layer 1.
  bool UpdateMusicLayer(const MusicLayerRecord& record);

  // --- key assignments ---------------------------------------------------------
  /// Replaces the key's assignment; stores nothing for a default one. The new key id or 0.
  int SaveKeyAssignment(const KeyAssignmentRecord& record);
  /// The key's assignment; false when it has none.
  bool ReadKeyAssignment(int profile, int layer, int keyCode, KeyAssignmentRecord& record);
  /// The assignments of a profile and layer, in row order; the count.
  int ListKeyAssignments(int profile, int layer, std::vector<KeyAssignmentRecord>& records);
  /// Deletes every assignment of a profile.
  void DeleteAllKeyAssignments(int profile);
  /// Adds extra data of a special function; the new id or 0.
  int AddOtherData(const OtherDataRecord& record);
  /// Reads extra data; always true, the record is only set when the row exists.
  bool ReadOtherData(int id, OtherDataRecord& record);

  // --- macros --------------------------------------------------------------------
  /// Adds a macro with the default settings; the new id, or the SQLite result code on failure.
  int AddMacro(std::u16string_view name);
  /// Adds a macro with the record's settings; the new id, or the SQLite result code on failure.
  int AddMacro(const MacroRecord& record);
  /// Adds a macro with the record's settings; true and the new id, or false and the SQLite result code.
  bool InsertMacro(const MacroRecord& record, int& idOrResult);
  /// Renames a macro.
  bool RenameMacro(int id, std::u16string_view name);
  /// Writes play times, delay type, delay time and loop type.
  bool UpdateMacroSettings(const MacroRecord& record);
  /// Deletes a macro, its steps and every assignment that plays it, all or nothing.
  bool DeleteMacro(int id);
  /// The macro's play times; false when it does not exist.
  bool GetMacroPlayTimes(int id, int& playTimes);
  /// Reads a macro; false when it does not exist.
  bool ReadMacro(int id, MacroRecord& record);
  /// All macros in row order; the count.
  int ListMacros(std::vector<MacroRecord>& macros);
  /// Copies a macro with its steps under a new name, all or nothing; the new id or 0.
  int CopyMacro(int id, std::u16string_view newName);

  // --- macro steps ---------------------------------------------------------------------
  // No operation lets a macro hold more than kMaxMacroSteps steps (store/MacroLimits.h).
  /// Adds one step; the new id, or the SQLite result code on failure (SQLITE_TOOBIG when the macro is full).
  int AddStep(const StepRecord& step);
  /// Adds the steps in one transaction; their count, or 0 when any insert failed or a macro would overflow (nothing is stored then).
  int AddSteps(std::vector<StepRecord> steps);
  /// Replaces a macro's steps by the list, numbered in order, all or nothing; false for more steps than a macro may hold.
  bool ReplaceSteps(int macroId, std::vector<StepRecord> steps);
  /// Adds a macro with the record's settings and the steps, numbered in order, all or nothing; false and id 0 on failure.
  bool AddMacroWithSteps(const MacroRecord& record, std::vector<StepRecord> steps, int& macroId);
  /// Number of a macro's steps.
  int CountSteps(int macroId);
  /// A macro's steps by ascending record index; the count.
  int ListSteps(int macroId, std::vector<StepRecord>& steps);
  /// Deletes a macro's steps.
  bool DeleteSteps(int macroId);
  /// Number of a macro's steps whose type is not 1.
  int CountKeyEvents(int macroId);

  // --- lighting ---------------------------------------------------------------------------
  /// Number of lighting rows of the profile.
  int CountLightModes(int profile);
  /// Adds a lighting row; the new id or 0.
  int AddLightMode(const LightRecord& record);
  /// Writes the record's settings to the row of this profile and mode.
  bool UpdateLightModeSettings(int profile, int mode, const LightRecord& record);
  /// Makes exactly this mode active (none when it has no row).
  bool SetActiveLightMode(int profile, int mode);
  /// The active mode, 0 when none.
  int GetActiveLightMode(int profile);
  /// Reads the row of this profile and mode; false when none.
  bool ReadLightMode(int profile, int mode, LightRecord& record);
  /// The profile's lighting rows in row order; the count.
  int ListLightModes(int profile, std::vector<LightRecord>& records);
  /// Adds the key colours in one transaction; their count, or 0 when any insert failed.
  int SaveKeyColors(std::vector<KeyColorRecord> colors);
  /// Replaces the colours of one custom colour set by the list, all or nothing.
  bool ReplaceKeyColors(std::vector<KeyColorRecord> colors, int set = kCustomColorSet);
  /// Deletes one custom colour set.
  bool DeleteKeyColors(int set = kCustomColorSet);
  /// The colours of one custom colour set; the count.
  int ListKeyColors(std::vector<KeyColorRecord>& colors, int set = kCustomColorSet);

 private:
  using Lock = std::lock_guard<std::recursive_mutex>;
  bool CreateSchema();
  int InsertedId(bool inserted);
  bool InsertSteps(const std::vector<StepRecord>& steps);
  bool StepsFit(const std::vector<StepRecord>& steps);
  bool InsertKeyColors(const std::vector<KeyColorRecord>& colors);

  SQLiteDB db_;
  // Recursive so that a transaction can group operations that lock on their own.
  mutable std::recursive_mutex lock_;
  std::string path_;
  std::string key_;
  bool open_ = false;
  int deviceType_ = 0;
  int transactionDepth_ = 0;
};
