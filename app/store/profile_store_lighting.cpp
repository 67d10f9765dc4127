// ProfileStore operations on light modes, per-key colour sets and the music layer.
#include "store/profile_store.h"
#include "store/statement_helpers.h"

using namespace store_sql;
using Lock = std::lock_guard<std::recursive_mutex>;

namespace {

LightRow ReadLight(const SQLiteStatement& s) {
  LightRow row;
  row.light_id = s.ColumnInt(0);
  row.profile = s.ColumnInt(1);
  row.name = ColumnString(s, 2);
  row.mode = s.ColumnInt(3);
  row.brightness = s.ColumnInt(4);
  row.speed = s.ColumnInt(5);
  row.direction = s.ColumnInt(6);
  row.colorful = s.ColumnInt(7);
  row.colorindex = s.ColumnInt(8);
  row.color_value = s.ColumnInt(9);
  row.config_func = s.ColumnInt(10);
  row.reserved = s.ColumnInt(11);
  row.status = s.ColumnInt(12);
  return row;
}

KeyLightRow ReadKeyLight(const SQLiteStatement& s) {
  KeyLightRow row;
  row.keylight_id = s.ColumnInt(0);
  row.profile = s.ColumnInt(1);
  row.light_id = s.ColumnInt(2);
  row.key_code = s.ColumnInt(3);
  row.key_rgb = s.ColumnInt(4);
  return row;
}

// Columns of t_musiclayer_data up to backb_right; sel is not read.
MusicLayerRow ReadMusicLayer(const SQLiteStatement& s) {
  MusicLayerRow row;
  row.layer_id = s.ColumnInt(0);
  row.profile = s.ColumnInt(1);
  row.name = ColumnString(s, 2);
  row.deviceindex = s.ColumnInt(3);
  row.foremode = s.ColumnInt(4);
  row.fore_amplitude = s.ColumnInt(5);
  row.backmode = s.ColumnInt(6);
  row.backb_right = s.ColumnInt(7);
  return row;
}

bool InsertKeyLights(SQLiteDB& db, const std::vector<KeyLightRow>& list) {
  for (const KeyLightRow& row : list) {
    const int rc = Run(
        db,
        "INSERT INTO t_key_light_data(profile, light_id, key_code, key_rgb) VALUES (?, ?, ?, ?);",
        row.profile, row.light_id, row.key_code, row.key_rgb);
    if (rc != SQLiteStatement::kDone) return false;
  }
  return true;
}

bool DeleteCustomKeyLights(SQLiteDB& db) {
  return IsDone(
      Run(db, "DELETE FROM t_key_light_data WHERE light_id = ?", ProfileStore::kCustomLightSet));
}

}  // namespace

int ProfileStore::CountLights(int profile) {
  Lock lock(m_db_lock);
  return ReadInt(m_db, 0, "select count(*) FROM t_light_data WHERE profile = ?", profile);
}

int ProfileStore::AddLight(const LightRow& row) {
  Lock lock(m_db_lock);
  return Insert(m_db,
                "INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, "
                "colorful, colorindex, color_value, config_func, reserved, status) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
                row.profile, row.name, row.mode, row.brightness, row.speed, row.direction,
                row.colorful, row.colorindex, row.color_value, row.config_func, row.reserved,
                row.status);
}

bool ProfileStore::UpdateLight(int profile, int mode, const LightRow& row) {
  Lock lock(m_db_lock);
  return IsDone(Run(m_db,
                    "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, "
                    "colorful = ?, colorindex = ?, color_value = ?, config_func = ?, reserved = ? "
                    "WHERE profile = ? AND mode = ?",
                    row.brightness, row.speed, row.direction, row.colorful, row.colorindex,
                    row.color_value, row.config_func, row.reserved, profile, mode));
}

bool ProfileStore::SetActiveLight(int profile, int mode) {
  Lock lock(m_db_lock);
  return InTransaction(m_db, [&] {
    return IsDone(Run(m_db, "UPDATE t_light_data SET status = ?", 0)) &&
           IsDone(Run(m_db, "UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?", 1,
                      profile, mode));
  });
}

int ProfileStore::GetActiveLightMode(int profile) {
  Lock lock(m_db_lock);
  return ReadInt(m_db, 0, "SELECT mode FROM t_light_data WHERE profile = ? and status = ?", profile,
                 1);
}

bool ProfileStore::GetLight(int profile, int mode, LightRow& row) {
  Lock lock(m_db_lock);
  return ReadRow(m_db, row, ReadLight, "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?",
                 profile, mode);
}

int ProfileStore::GetLights(int profile, std::vector<LightRow>& list) {
  Lock lock(m_db_lock);
  return ReadRows(m_db, list, ReadLight, "SELECT * FROM t_light_data WHERE profile = ?", profile);
}

int ProfileStore::AddKeyLights(const std::vector<KeyLightRow>& list) {
  Lock lock(m_db_lock);
  const bool stored = InTransaction(m_db, [&] { return InsertKeyLights(m_db, list); });
  return stored ? static_cast<int>(list.size()) : 0;
}

bool ProfileStore::DeleteKeyLights([[maybe_unused]] int light_set) {
  Lock lock(m_db_lock);
  return DeleteCustomKeyLights(m_db);
}

int ProfileStore::GetKeyLights(int light_id, std::vector<KeyLightRow>& list) {
  Lock lock(m_db_lock);
  return ReadRows(m_db, list, ReadKeyLight, "SELECT * FROM t_key_light_data WHERE light_id = ?",
                  light_id);
}

bool ProfileStore::ReplaceKeyLights(const std::vector<KeyLightRow>& list) {
  Lock lock(m_db_lock);
  return InTransaction(m_db,
                       [&] { return DeleteCustomKeyLights(m_db) && InsertKeyLights(m_db, list); });
}

int ProfileStore::CountMusicLayers([[maybe_unused]] int profile) {
  Lock lock(m_db_lock);
  return ReadInt(m_db, 0, "select count(*) FROM t_musiclayer_data WHERE profile = ?",
                 kMusicProfile);
}

int ProfileStore::AddMusicLayer([[maybe_unused]] int profile, const std::string& name,
                                int foremode) {
  Lock lock(m_db_lock);
  return Insert(m_db,
                "INSERT INTO t_musiclayer_data(profile, name, deviceindex, foremode, "
                "fore_amplitude, backmode, backb_right, sel) VALUES (?, ?, ?, ?, ?, ?, ?, ?);",
                kMusicProfile, name, 0, foremode, 300, 0, 100, 0);
}

bool ProfileStore::GetMusicLayer(int layer_id, MusicLayerRow& row) {
  Lock lock(m_db_lock);
  return ReadRow(m_db, row, ReadMusicLayer, "SELECT * FROM t_musiclayer_data WHERE layer_id = ?",
                 layer_id);
}

bool ProfileStore::UpdateMusicLayer([[maybe_unused]] int layer_id, const MusicLayerRow& row) {
  Lock lock(m_db_lock);
  return IsDone(Run(m_db,
                    "UPDATE t_musiclayer_data SET deviceindex = ?, foremode = ?, "
                    "fore_amplitude = ?, backmode = ?, backb_right = ? WHERE layer_id = ?",
                    row.deviceindex, row.foremode, row.fore_amplitude, row.backmode,
                    row.backb_right, kMusicLayerId));
}

bool ProfileStore::SelectMusicLayer([[maybe_unused]] int profile, [[maybe_unused]] int layer_id) {
  Lock lock(m_db_lock);
  return InTransaction(m_db, [&] {
    return IsDone(Run(m_db, "UPDATE t_musiclayer_data SET sel = ? WHERE profile = ?", 0,
                      kMusicProfile)) &&
           IsDone(Run(m_db,
                      "UPDATE t_musiclayer_data SET sel = ? WHERE profile = ? AND layer_id = ?", 1,
                      kMusicProfile, kMusicLayerId));
  });
}

int ProfileStore::GetSelectedMusicLayer([[maybe_unused]] int profile) {
  Lock lock(m_db_lock);
  return ReadInt(m_db, 0, "SELECT layer_id FROM t_musiclayer_data WHERE profile = ? AND sel = ?",
                 kMusicProfile, 1);
}
