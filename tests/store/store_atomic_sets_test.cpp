// A batch that fails part-way leaves the database exactly as it was. The failure is forced with
// a trigger that refuses one row of the batch.
#include <gtest/gtest.h>

#include <functional>

#include "store/profile_store.h"
#include "store_fixture.h"

namespace {

// Every row of every table, as text.
std::string Dump(const std::string& path) {
  SQLiteDB db;
  if (!db.Open(path.c_str(), SQLiteDB::kOpenExisting)) return "<cannot open>";
  std::string dump;
  for (const std::string& table :
       QueryColumn(path, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
    dump += "[" + table + "]\n";
    const std::string sql = "SELECT * FROM " + table;
    db.Execute(
        sql.c_str(),
        [](void* out, int columns, char** values, char**) {
          auto& text = *static_cast<std::string*>(out);
          for (int i = 0; i < columns; ++i)
            text += (values[i] ? values[i] : "NULL") + std::string("|");
          text += "\n";
          return 0;
        },
        &dump);
  }
  return dump;
}

// A colour set with one key the trigger refuses.
std::vector<KeyLightRow> RefusedColourSet(int colour, int refused_key) {
  std::vector<KeyLightRow> set = ColourSet(colour);
  set[60].key_code = refused_key;
  return set;
}

TEST(ProfileStoreBatches, AFailedStepRollsTheWholeBatchBack) {
  TempDir dir;
  ProfileStore store;
  ASSERT_TRUE(store.OpenForDevice(dir.path(), "K"));
  ASSERT_TRUE(AddDefaultProfiles(store));
  ASSERT_TRUE(store.ReplaceKeyLights(ColourSet(0x0000FF)));
  const int macro = store.AddMacro("M");
  ASSERT_TRUE(store.AddMacroRecords({{0, macro, 2, 0, 65, 0, "A"}, {0, macro, 3, 1, 65, 0, "A"}}));
  KeyAssignmentRow key;
  key.profile = 1;
  key.key_code = 30;
  key.macro_type = ProfileStore::kMacroAssignment;
  key.macro_value = macro;
  ASSERT_GT(store.SaveKeyAssignment(key), 0);
  for (int mode : {1, 2}) store.AddLight({0, 1, "Mode", mode, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  ASSERT_TRUE(store.SetActiveLight(1, 1));

  struct Case {
    const char* what;
    const char* trigger;
    std::function<bool()> batch;
  };
  const Case cases[] = {
      {"colour set replacement", "BEFORE INSERT ON t_key_light_data WHEN NEW.key_code = 999",
       [&] { return store.ReplaceKeyLights(RefusedColourSet(0x00FF00, 999)); }},
      {"colour set insert", "BEFORE INSERT ON t_key_light_data WHEN NEW.key_code = 999",
       [&] { return store.AddKeyLights(RefusedColourSet(0x00FF00, 999)) > 0; }},
      {"macro record replacement", "BEFORE INSERT ON t_macrorecord WHEN NEW.value = 666",
       [&] {
         return store.ReplaceMacroRecords(
             macro, {{0, macro, 2, 0, 66, 0, "B"}, {0, macro, 3, 1, 666, 0, "B"}});
       }},
      {"macro record insert", "BEFORE INSERT ON t_macrorecord WHEN NEW.value = 666",
       [&] {
         return store.AddMacroRecords(
             {{0, macro, 2, 5, 66, 0, "B"}, {0, macro, 3, 6, 666, 0, "B"}});
       }},
      {"macro deletion", "BEFORE DELETE ON t_key_macro_data",
       [&] { return store.DeleteMacro(macro); }},
      {"active profile switch", "BEFORE UPDATE ON t_profile_data WHEN NEW.status = 1",
       [&] { return store.SetActiveProfile(3); }},
      {"active light switch", "BEFORE UPDATE ON t_light_data WHEN NEW.status = 1",
       [&] { return store.SetActiveLight(1, 2); }},
  };
  const std::string path = store.DatabasePath();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SQLiteDB side;
    ASSERT_TRUE(side.Open(path.c_str(), SQLiteDB::kOpenExisting));
    const std::string create = std::string("CREATE TRIGGER refuse ") + c.trigger +
                               " BEGIN SELECT RAISE(ABORT, 'refused'); END";
    ASSERT_EQ(side.Execute(create.c_str()), 0);
    const std::string before = Dump(path);
    EXPECT_FALSE(c.batch());
    ASSERT_EQ(side.Execute("DROP TRIGGER refuse"), 0);
    EXPECT_EQ(Dump(path), before);
  }
  // Nothing was left half-open on the store's connection: it still writes.
  EXPECT_TRUE(store.ReplaceKeyLights(ColourSet(0x00FF00)));
  std::vector<KeyLightRow> set;
  EXPECT_EQ(store.GetKeyLights(128, set), 110);
}

}  // namespace
