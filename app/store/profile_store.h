// ProfileStore: the process-wide owner of the profile database of the current keyboard model, its
// schema and every statement the program runs on it. Each operation runs under one recursive lock,
// so any thread may call it, and an operation may call another.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "store/sqlite_db.h"
#include "store/store_rows.h"

class ProfileStore {
 public:
  // The per-key colour set of the custom light mode; the database keeps one.
  static constexpr int kCustomLightSet = 128;
  // The music layer always lives under this profile and id.
  static constexpr int kMusicProfile = 1;
  static constexpr int kMusicLayerId = 1;
  // The assignment kind that points at a macro.
  static constexpr int kMacroAssignment = 3;

  // The process-wide store, created on first use. Tests may make stores of their own.
  static ProfileStore& GetInstance();

  ProfileStore() = default;
  ~ProfileStore();
  ProfileStore(const ProfileStore&) = delete;
  ProfileStore& operator=(const ProfileStore&) = delete;

  // --- Life cycle ---------------------------------------------------------------------------

  // Opens "<base>/db/<name>_data_v1.db", creating the file and its schema when it is missing. A
  // file that is there but is not a readable database of this schema is kept under a new name
  // (see SetAsideFile) and a new database is made in its place. The result is the open flag.
  bool OpenForDevice(const std::string& base_folder, const std::string& database_name);
  // Creates the file of the path OpenForDevice chose and its tables; true without doing anything
  // when a connection is already open.
  bool CreateSchema();
  // Deletes the database file of that model together with its write-ahead log; true when none of
  // them remains. A store open on that file is closed first; while a statement keeps the file
  // open nothing is deleted and the result is false.
  bool DeleteDatabaseFile(const std::string& base_folder, const std::string& database_name);
  // Closes the connection and clears the open flag; false when a statement still keeps the file
  // open (it closes once that statement ends).
  bool Close();
  // The open flag: the current device's file is open through OpenForDevice.
  bool IsOpen() const;
  // The UTF-8 path OpenForDevice chose last.
  std::string DatabasePath() const;
  // Where the latest OpenForDevice moved an unreadable or foreign file to, so the program can tell
  // the user; empty when the file was opened or created normally.
  std::string SetAsideFile() const;
  // Writes the default configuration rows of a new database; true when all were written.
  bool SeedConfiguration();

  // --- Profiles -----------------------------------------------------------------------------

  // Stores name and app with status 0 and type 0; the new profile id, 0 on failure.
  int AddProfile(const ProfileRow& row);
  bool DeleteProfile(int profile);
  bool RenameProfile(int profile, const std::string& name);
  // Empties the name first; true when the profile exists.
  bool GetProfileName(int profile, std::string& name);
  // Replaces the list with every profile in table order; the number of profiles.
  int GetProfiles(std::vector<ProfileRow>& list);
  // Makes this profile the one active profile.
  bool SetActiveProfile(int profile);
  // The first active profile id, 0 when none is active.
  int GetActiveProfile();

  // --- Key assignments ----------------------------------------------------------------------

  // Replaces the assignment of the row's profile, layer and key. A row whose macro_value and
  // macro_value2 are both 0 only deletes, giving the key its factory function back. The new key_id;
  // 0 when nothing was inserted (also for key_code 0, which is ignored).
  int SaveKeyAssignment(const KeyAssignmentRow& row);
  bool GetKeyAssignment(int profile, int fn_layer, int key_code, KeyAssignmentRow& row);
  int GetKeyAssignments(int profile, int fn_layer, std::vector<KeyAssignmentRow>& list);
  bool DeleteProfileKeyAssignments(int profile);
  // The text data of a software key action; the new macro_value, 0 on failure.
  int AddKeyOtherData(const std::string& desc, const std::string& param, int type);
  // Always true; the outputs are written only when the row exists.
  bool GetKeyOtherData(int macro_value, std::string& desc, std::string& param, int& type);

  // --- Lighting -----------------------------------------------------------------------------

  int CountLights(int profile);
  // Stores every field but light_id; the new light_id, 0 on failure.
  int AddLight(const LightRow& row);
  // Writes brightness through reserved of the row to the light of that profile and mode.
  bool UpdateLight(int profile, int mode, const LightRow& row);
  // Makes this the one active light row of the whole table.
  bool SetActiveLight(int profile, int mode);
  // The active mode of the profile, 0 when none.
  int GetActiveLightMode(int profile);
  bool GetLight(int profile, int mode, LightRow& row);
  int GetLights(int profile, std::vector<LightRow>& list);
  // Inserts all rows in one transaction, or none of them when one fails; the number inserted.
  int AddKeyLights(const std::vector<KeyLightRow>& list);
  // Deletes the custom colour set (kCustomLightSet, whatever set is named).
  bool DeleteKeyLights(int light_set);
  int GetKeyLights(int light_id, std::vector<KeyLightRow>& list);
  // Replaces the custom colour set with the rows in one transaction: afterwards the store holds
  // either the whole new set or, on failure, the whole old one.
  bool ReplaceKeyLights(const std::vector<KeyLightRow>& list);

  // --- Music layer (always profile 1, layer 1) ----------------------------------------------

  int CountMusicLayers(int profile);
  // The new layer_id, 0 on failure.
  int AddMusicLayer(int profile, const std::string& name, int foremode);
  bool GetMusicLayer(int layer_id, MusicLayerRow& row);
  bool UpdateMusicLayer(int layer_id, const MusicLayerRow& row);
  bool SelectMusicLayer(int profile, int layer_id);
  // The selected layer_id, 0 when none.
  int GetSelectedMusicLayer(int profile);

  // --- Macros -------------------------------------------------------------------------------

  // A macro played once with the default delay; the new macro_id, 0 on failure.
  int AddMacro(const std::string& name);
  // The same with the row's playback settings and link count.
  int AddMacroWithSettings(const MacroRow& row);
  bool RenameMacro(int macro_id, const std::string& name);
  // Writes play_times, delay_type and delay_time of the row's macro.
  bool UpdateMacroPlayback(const MacroRow& row);
  // Deletes the macro, its records and every key assigned to it, all or nothing.
  bool DeleteMacro(int macro_id);
  bool GetMacroPlayTimes(int macro_id, int& count);
  bool GetMacro(int macro_id, MacroRow& row);
  int GetMacros(std::vector<MacroRow>& list);
  // The new record_id, 0 on failure.
  int AddMacroRecord(const MacroRecordRow& row);
  // Inserts all records in one transaction, or none of them when one fails.
  bool AddMacroRecords(const std::vector<MacroRecordRow>& list);
  // The macro's records by ascending record_index.
  int GetMacroRecords(int macro_id, std::vector<MacroRecordRow>& list);
  bool DeleteMacroRecords(int macro_id);
  // The number of records that are not of type 1.
  int CountMacroActions(int macro_id);
  // Replaces the records of the macro with the list (each stored under macro_id) in one
  // transaction: afterwards it has either all new records or, on failure, all old ones.
  bool ReplaceMacroRecords(int macro_id, const std::vector<MacroRecordRow>& list);

 private:
  bool OpenExistingLocked();
  bool CreateSchemaLocked();
  bool RunSchemaStatementsLocked();
  bool CloseLocked();

  // Guards the connection, the path, the open flag and the set-aside path.
  mutable std::recursive_mutex m_db_lock;
  SQLiteDB m_db;
  std::string m_path;
  std::string m_set_aside_path;
  bool m_open = false;
};
