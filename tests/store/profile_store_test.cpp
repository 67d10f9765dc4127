#include "store/profile_store.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store_fixture.h"

namespace {

class ProfileStoreTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.OpenForDevice(dir.path(), "K1")); }

  std::string Query(const std::string& sql) { return QueryOne(store.DatabasePath(), sql); }

  KeyAssignmentRow Assignment(int profile, int key_code, int type, int value, int value2 = 0) {
    KeyAssignmentRow row;
    row.profile = profile;
    row.key_code = key_code;
    row.macro_type = type;
    row.macro_value = value;
    row.macro_value2 = value2;
    row.macro_desc = "desc";
    return row;
  }

  TempDir dir;
  ProfileStore store;
};

TEST_F(ProfileStoreTest, NewFileHoldsTheWholeSchemaAndNoRows) {
  EXPECT_EQ(store.DatabasePath(), dir.path() + "/db/K1_data_v1.db");
  EXPECT_TRUE(std::filesystem::exists(store.DatabasePath()));
  EXPECT_TRUE(store.IsOpen());
  EXPECT_TRUE(store.SetAsideFile().empty());
  const std::vector<std::string> objects =
      QueryColumn(store.DatabasePath(),
                  "SELECT name FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY rowid");
  const std::vector<std::string> expected = {
      "t_configdata",      "t_profile_data", "profileindex", "t_key_macro_data", "keyindex",
      "t_key_otherdata",   "otheridindex",   "t_macro_data", "macroidindex",     "t_macrorecord",
      "macrorecordindex",  "t_light_data",   "lightindex",   "t_key_light_data", "keylightindex",
      "t_musiclayer_data", "musiclayerindex"};
  EXPECT_EQ(objects, expected);
  for (const char* table :
       {"t_configdata", "t_profile_data", "t_key_macro_data", "t_key_otherdata", "t_macro_data",
        "t_macrorecord", "t_light_data", "t_key_light_data", "t_musiclayer_data"}) {
    EXPECT_EQ(Query(std::string("SELECT count(*) FROM ") + table), "0") << table;
  }
}

TEST_F(ProfileStoreTest, ReopeningKeepsTheRowsAndEachModelHasItsOwnFile) {
  ProfileRow profile{0, "Mine", "", 0, 0};
  ASSERT_EQ(store.AddProfile(profile), 1);
  ASSERT_TRUE(store.Close());
  EXPECT_FALSE(store.IsOpen());
  EXPECT_EQ(store.GetActiveProfile(), 0);

  ASSERT_TRUE(store.OpenForDevice(dir.path() + "/", "K1"));
  std::string name;
  EXPECT_TRUE(store.GetProfileName(1, name));
  EXPECT_EQ(name, "Mine");

  // Switching models without closing first still moves to the other file.
  ASSERT_TRUE(store.OpenForDevice(dir.path(), "K2"));
  std::vector<ProfileRow> profiles;
  EXPECT_EQ(store.GetProfiles(profiles), 0);
}

TEST_F(ProfileStoreTest, ProfilesAreAddedRenamedDeletedAndOneIsActive) {
  EXPECT_EQ(store.GetActiveProfile(), 0);
  for (const char* name : {"Profile 1", "Profile 2", "配置方案 3"}) {
    ProfileRow row{0, name, "app", 7, 1};
    EXPECT_GT(store.AddProfile(row), 0);
  }
  EXPECT_TRUE(store.SetActiveProfile(1));
  EXPECT_TRUE(store.SetActiveProfile(2));
  EXPECT_EQ(Query("SELECT count(*) FROM t_profile_data WHERE status = 1"), "1");
  EXPECT_EQ(store.GetActiveProfile(), 2);

  EXPECT_TRUE(store.RenameProfile(3, "Renamed"));
  EXPECT_TRUE(store.DeleteProfile(1));
  std::vector<ProfileRow> profiles(5);
  ASSERT_EQ(store.GetProfiles(profiles), 2);
  // Status and type are not taken from the caller's row; app is.
  EXPECT_EQ(profiles[0], (ProfileRow{2, "Profile 2", "app", 0, 1}));
  EXPECT_EQ(profiles[1], (ProfileRow{3, "Renamed", "app", 0, 0}));

  std::string name = "stale";
  EXPECT_FALSE(store.GetProfileName(1, name));
  EXPECT_EQ(name, "");
  // Ids are never reused.
  EXPECT_EQ(store.AddProfile(ProfileRow{0, "New", "", 0, 0}), 4);
}

TEST_F(ProfileStoreTest, SeedConfigurationWritesTheDefaultsUnderProfileOne) {
  ASSERT_TRUE(store.SeedConfiguration());
  EXPECT_EQ(
      QueryColumn(store.DatabasePath(),
                  "SELECT key || '=' || value FROM t_configdata WHERE profile = 1 "
                  "ORDER BY config_id"),
      (std::vector<std::string>{"version=1.0.1", "keyboard_layout=1", "fn_layer=0", "lightmode=1",
                                "sleep_light=1", "userlight=0", "customlight_run=0", "gamemode=0",
                                "disable_alttab=0", "disable_altf4=0", "disable_win=0"}));
}

TEST_F(ProfileStoreTest, SavingAnAssignmentReplacesTheKeyRowOrRestoresTheFactoryFunction) {
  struct Case {
    const char* what;
    KeyAssignmentRow row;
    bool inserted;
    int rows_after;
  };
  const Case cases[] = {
      {"assign", Assignment(1, 4, 2, 233), true, 1},
      {"assign again", Assignment(1, 4, 2, 234), true, 1},
      {"second value alone counts", Assignment(1, 4, 2, 0, 5), true, 1},
      {"other layer",
       [&] {
         auto r = Assignment(1, 4, 2, 9);
         r.fn_layer = 1;
         return r;
       }(),
       true, 2},
      {"both values zero restores", Assignment(1, 4, 0, 0, 0), false, 1},
      {"key code 0 is ignored", Assignment(1, 0, 2, 9), false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int key_id = store.SaveKeyAssignment(c.row);
    EXPECT_EQ(key_id > 0, c.inserted);
    EXPECT_EQ(Query("SELECT count(*) FROM t_key_macro_data"), std::to_string(c.rows_after));
  }
  KeyAssignmentRow base_layer;
  EXPECT_FALSE(store.GetKeyAssignment(1, 0, 4, base_layer));
  KeyAssignmentRow layer_one;
  EXPECT_TRUE(store.GetKeyAssignment(1, 1, 4, layer_one));
  EXPECT_EQ(layer_one.macro_value, 9);
}

TEST_F(ProfileStoreTest, EveryRecordReadsBackFieldForField) {
  KeyAssignmentRow key{0, 2, 1, 41, 5, "layout ✓", 8, 6, -7, 8, "open 程序"};
  key.key_id = store.SaveKeyAssignment(key);
  std::vector<KeyAssignmentRow> keys;
  ASSERT_EQ(store.GetKeyAssignments(2, 1, keys), 1);
  EXPECT_EQ(keys[0], key);

  LightRow light{0, 3, "Wave", 4, 5, 6, 7, 1, 9, 0x00332211, 11, 12, 1};
  light.light_id = store.AddLight(light);
  LightRow read;
  ASSERT_TRUE(store.GetLight(3, 4, read));
  EXPECT_EQ(read, light);

  light.brightness = 50;
  light.color_value = 0x00FFEEDD;
  light.reserved = 99;
  light.name = "not written";
  ASSERT_TRUE(store.UpdateLight(3, 4, light));
  std::vector<LightRow> lights;
  ASSERT_EQ(store.GetLights(3, lights), 1);
  EXPECT_EQ(lights[0].brightness, 50);
  EXPECT_EQ(lights[0].color_value, 0x00FFEEDD);
  EXPECT_EQ(lights[0].reserved, 99);
  EXPECT_EQ(lights[0].name, "Wave");

  MacroRow macro{0, "Macro 1", 4, 3, 2, 25};
  macro.macro_id = store.AddMacroWithSettings(macro);
  MacroRow read_macro;
  ASSERT_TRUE(store.GetMacro(macro.macro_id, read_macro));
  EXPECT_EQ(read_macro, macro);

  MacroRecordRow record{0, macro.macro_id, 2, 0, 65, 30, "A ↓"};
  record.record_id = store.AddMacroRecord(record);
  std::vector<MacroRecordRow> records;
  ASSERT_EQ(store.GetMacroRecords(macro.macro_id, records), 1);
  EXPECT_EQ(records[0], record);

  ASSERT_EQ(store.AddKeyLights({{0, 1, 128, 41, 0x000000FF}}), 1);
  std::vector<KeyLightRow> key_lights;
  ASSERT_EQ(store.GetKeyLights(128, key_lights), 1);
  EXPECT_EQ(key_lights[0], (KeyLightRow{key_lights[0].keylight_id, 1, 128, 41, 0x000000FF}));
  EXPECT_GT(key_lights[0].keylight_id, 0);
}

TEST_F(ProfileStoreTest, ActiveLightIsUniqueAcrossProfiles) {
  for (int profile : {1, 2}) {
    for (int mode : {1, 2, 3}) {
      LightRow row;
      row.profile = profile;
      row.mode = mode;
      ASSERT_GT(store.AddLight(row), 0);
    }
  }
  EXPECT_EQ(store.CountLights(1), 3);
  EXPECT_EQ(store.GetActiveLightMode(1), 0);
  EXPECT_TRUE(store.SetActiveLight(1, 2));
  EXPECT_TRUE(store.SetActiveLight(2, 3));
  EXPECT_EQ(Query("SELECT count(*) FROM t_light_data WHERE status = 1"), "1");
  EXPECT_EQ(store.GetActiveLightMode(1), 0);
  EXPECT_EQ(store.GetActiveLightMode(2), 3);
}

TEST_F(ProfileStoreTest, KeyOtherDataIsWrittenOnlyWhenTheRowExists) {
  const int id = store.AddKeyOtherData("Editor", "/usr/bin/editor", 8);
  ASSERT_GT(id, 0);
  std::string desc = "keep", param = "keep";
  int type = -1;
  EXPECT_TRUE(store.GetKeyOtherData(id + 100, desc, param, type));
  EXPECT_EQ(desc, "keep");
  EXPECT_EQ(param, "keep");
  EXPECT_EQ(type, -1);
  EXPECT_TRUE(store.GetKeyOtherData(id, desc, param, type));
  EXPECT_EQ(desc, "Editor");
  EXPECT_EQ(param, "/usr/bin/editor");
  EXPECT_EQ(type, 8);
}

TEST_F(ProfileStoreTest, TheMusicLayerAlwaysBelongsToProfileOneLayerOne) {
  EXPECT_EQ(store.CountMusicLayers(5), 0);
  ASSERT_EQ(store.AddMusicLayer(5, "Music", 2), 1);
  EXPECT_EQ(store.CountMusicLayers(9), 1);
  MusicLayerRow row;
  ASSERT_TRUE(store.GetMusicLayer(1, row));
  EXPECT_EQ(row, (MusicLayerRow{1, 1, "Music", 0, 2, 300, 0, 100}));
  EXPECT_EQ(Query("SELECT sel FROM t_musiclayer_data"), "0");

  row.deviceindex = 2;
  row.foremode = 3;
  row.fore_amplitude = 250;
  row.backmode = 1;
  row.backb_right = 60;
  EXPECT_TRUE(store.UpdateMusicLayer(7, row));
  MusicLayerRow updated;
  ASSERT_TRUE(store.GetMusicLayer(1, updated));
  EXPECT_EQ(updated, (MusicLayerRow{1, 1, "Music", 2, 3, 250, 1, 60}));
  EXPECT_FALSE(store.GetMusicLayer(7, updated));

  EXPECT_EQ(store.GetSelectedMusicLayer(4), 0);
  EXPECT_TRUE(store.SelectMusicLayer(4, 6));
  EXPECT_EQ(store.GetSelectedMusicLayer(8), 1);
}

TEST_F(ProfileStoreTest, MacroDeletionTakesItsRecordsAndOnlyItsMacroKeys) {
  const int macro = store.AddMacro("Macro");
  const int other = store.AddMacro("Other");
  ASSERT_GT(macro, 0);
  MacroRow defaults;
  ASSERT_TRUE(store.GetMacro(macro, defaults));
  EXPECT_EQ(defaults, (MacroRow{macro, "Macro", 0, 1, 1, 0}));

  ASSERT_TRUE(
      store.AddMacroRecords({{0, macro, 2, 0, 65, 10, "A"}, {0, other, 2, 0, 66, 10, "B"}}));
  store.SaveKeyAssignment(Assignment(1, 4, 3, macro));
  store.SaveKeyAssignment(Assignment(2, 5, 3, macro));
  store.SaveKeyAssignment(Assignment(1, 6, 8, macro));  // another kind, same value
  store.SaveKeyAssignment(Assignment(1, 7, 3, other));

  EXPECT_TRUE(store.DeleteMacro(macro));
  MacroRow gone;
  EXPECT_FALSE(store.GetMacro(macro, gone));
  std::vector<MacroRecordRow> records;
  EXPECT_EQ(store.GetMacroRecords(macro, records), 0);
  EXPECT_EQ(store.GetMacroRecords(other, records), 1);
  EXPECT_EQ(
      QueryColumn(store.DatabasePath(), "SELECT key_code FROM t_key_macro_data ORDER BY key_code"),
      (std::vector<std::string>{"6", "7"}));
}

TEST_F(ProfileStoreTest, MacroRecordsComeBackInIndexOrderAndDelaysAreNoActions) {
  const int macro = store.AddMacro("M");
  ASSERT_TRUE(store.AddMacroRecords({{0, macro, 3, 2, 65, 0, "A up"},
                                     {0, macro, 1, 1, 0, 50, "wait"},
                                     {0, macro, 2, 0, 65, 0, "A down"}}));
  std::vector<MacroRecordRow> records;
  ASSERT_EQ(store.GetMacroRecords(macro, records), 3);
  EXPECT_EQ(records[0].desc, "A down");
  EXPECT_EQ(records[1].desc, "wait");
  EXPECT_EQ(records[2].desc, "A up");
  EXPECT_EQ(store.CountMacroActions(macro), 2);

  ASSERT_TRUE(
      store.ReplaceMacroRecords(macro, {{0, 999, 1, 0, 0, 10, "d"}, {0, 0, 1, 1, 0, 20, "d"}}));
  EXPECT_EQ(store.GetMacroRecords(macro, records), 2);
  EXPECT_EQ(store.CountMacroActions(macro), 0);

  MacroRow playback{macro, "ignored", 0, 5, 3, 40};
  EXPECT_TRUE(store.UpdateMacroPlayback(playback));
  EXPECT_TRUE(store.RenameMacro(macro, "Renamed"));
  int times = 0;
  EXPECT_TRUE(store.GetMacroPlayTimes(macro, times));
  EXPECT_EQ(times, 5);
  std::vector<MacroRow> macros;
  ASSERT_EQ(store.GetMacros(macros), 1);
  EXPECT_EQ(macros[0], (MacroRow{macro, "Renamed", 0, 5, 3, 40}));
  EXPECT_TRUE(store.DeleteMacroRecords(macro));
  EXPECT_EQ(store.GetMacroRecords(macro, records), 0);
}

TEST_F(ProfileStoreTest, ReplacingTheColourSetLeavesExactlyTheNewSet) {
  std::vector<KeyLightRow> set = ColourSet(0x0000FF00);
  ASSERT_EQ(store.AddKeyLights(set), 110);
  ASSERT_EQ(store.AddKeyLights({{0, 1, 129, 1, 5}}), 1);
  for (KeyLightRow& row : set) row.key_rgb = 0x00FF0000;
  set.resize(100);
  ASSERT_TRUE(store.ReplaceKeyLights(set));
  std::vector<KeyLightRow> read;
  ASSERT_EQ(store.GetKeyLights(128, read), 100);
  for (const KeyLightRow& row : read) EXPECT_EQ(row.key_rgb, 0x00FF0000);
  // Only the custom set is touched, whatever set DeleteKeyLights is given.
  EXPECT_EQ(store.GetKeyLights(129, read), 1);
  EXPECT_TRUE(store.DeleteKeyLights(129));
  EXPECT_EQ(store.GetKeyLights(129, read), 1);
  EXPECT_EQ(store.GetKeyLights(128, read), 0);
}

TEST_F(ProfileStoreTest, DeletingProfileAssignmentsLeavesOtherProfiles) {
  store.SaveKeyAssignment(Assignment(1, 4, 2, 233));
  store.SaveKeyAssignment(Assignment(1, 5, 2, 233));
  store.SaveKeyAssignment(Assignment(2, 4, 2, 233));
  EXPECT_TRUE(store.DeleteProfileKeyAssignments(1));
  std::vector<KeyAssignmentRow> rows;
  EXPECT_EQ(store.GetKeyAssignments(1, 0, rows), 0);
  EXPECT_EQ(store.GetKeyAssignments(2, 0, rows), 1);
}

TEST(ProfileStoreClosed, EveryOperationFailsQuietly) {
  ProfileStore store;
  ProfileRow profile;
  KeyAssignmentRow key;
  key.key_code = 4;
  key.macro_value = 1;
  LightRow light;
  MacroRow macro;
  MacroRecordRow record;
  MusicLayerRow layer;
  std::string text = "kept";
  int number = 0;
  std::vector<ProfileRow> profiles(1);
  std::vector<KeyLightRow> key_lights(1);
  EXPECT_FALSE(store.IsOpen());
  EXPECT_FALSE(store.CreateSchema());  // no path chosen yet
  EXPECT_EQ(store.AddProfile(profile), 0);
  EXPECT_EQ(store.GetProfiles(profiles), 0);
  EXPECT_TRUE(profiles.empty());
  EXPECT_FALSE(store.GetProfileName(1, text));
  EXPECT_FALSE(store.SetActiveProfile(1));
  EXPECT_EQ(store.GetActiveProfile(), 0);
  EXPECT_EQ(store.SaveKeyAssignment(key), 0);
  EXPECT_FALSE(store.DeleteProfileKeyAssignments(1));
  EXPECT_EQ(store.AddLight(light), 0);
  EXPECT_EQ(store.CountLights(1), 0);
  EXPECT_EQ(store.AddKeyLights({{0, 1, 128, 4, 1}}), 0);
  EXPECT_FALSE(store.ReplaceKeyLights({}));
  EXPECT_EQ(store.GetKeyLights(128, key_lights), 0);
  // Inserts report 0 on failure, never an SQLite code that could pass for an id.
  EXPECT_EQ(store.AddMacro("m"), 0);
  EXPECT_EQ(store.AddMacroWithSettings(macro), 0);
  EXPECT_EQ(store.AddMacroRecord(record), 0);
  EXPECT_EQ(store.AddMusicLayer(1, "m", 1), 0);
  EXPECT_FALSE(store.AddMacroRecords({record}));
  EXPECT_FALSE(store.DeleteMacro(1));
  EXPECT_FALSE(store.GetMacroPlayTimes(1, number));
  EXPECT_FALSE(store.GetMusicLayer(1, layer));
  EXPECT_FALSE(store.SeedConfiguration());
}

}  // namespace
