// A profile store on a scratch database, with helpers to fill it and to
// write and read the files of the interchange tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/profile_store.h"
#include "support/temp_dir.h"

class InterchangeTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_store.OpenForDevice(m_dir.path(), "k201")); }

  // A second, independent database: "another installation".
  void OpenOther(ProfileStore& other) { ASSERT_TRUE(other.OpenForDevice(m_dir.path(), "other")); }

  static int AddMacro(ProfileStore& store, const std::string& name,
                      const std::vector<MacroRecordRow>& records = {}) {
    MacroRow macro;
    macro.name = name;
    macro.play_times = 2;
    macro.delay_type = 1;
    macro.delay_time = 10;
    const int id = store.AddMacroWithSettings(macro);
    std::vector<MacroRecordRow> stored = records;
    for (std::size_t i = 0; i < stored.size(); ++i) {
      stored[i].macro_id = id;
      stored[i].record_index = static_cast<int>(i);
    }
    store.AddMacroRecords(stored);
    return id;
  }

  static MacroRecordRow Record(const std::string& desc, int type, int value, int delay) {
    MacroRecordRow r;
    r.desc = desc;
    r.type = type;
    r.value = value;
    r.delay_time = delay;
    return r;
  }

  static KeyAssignmentRow Key(int profile, int key_code, int kind, int value,
                              const std::string& desc) {
    KeyAssignmentRow row;
    row.profile = profile;
    row.key_code = key_code;
    row.macro_type = kind;
    row.macro_value = value;
    row.macro_desc = desc;
    return row;
  }

  static int AddProfile(ProfileStore& store, const std::string& name) {
    ProfileRow row;
    row.name = name;
    return store.AddProfile(row);
  }

  static std::vector<KeyAssignmentRow> Keys(ProfileStore& store, int profile) {
    std::vector<KeyAssignmentRow> rows;
    store.GetKeyAssignments(profile, 0, rows);
    return rows;
  }

  static std::vector<MacroRow> Macros(ProfileStore& store) {
    std::vector<MacroRow> rows;
    store.GetMacros(rows);
    return rows;
  }

  std::string Write(const std::string& name, const std::string& bytes) const {
    return m_dir.Write(name, bytes);
  }
  static std::string Read(const std::string& path) { return TempDir::Read(path); }

  TempDir m_dir;
  ProfileStore m_store;
};
