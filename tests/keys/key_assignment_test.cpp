// The program's own assignment rows, saved and read back through a real store.
#include <gtest/gtest.h>

#include <filesystem>

#include "keys/assignment_kind.h"
#include "keys/key_assignment.h"
#include "keys/key_codes.h"
#include "store/profile_store.h"

namespace fs = std::filesystem;

namespace {

class KeyAssignmentTest : public testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("tervane_assign_" + std::to_string(::getpid()));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir / "db");
    ASSERT_TRUE(m_store.OpenForDevice(m_dir.string() + "/", "Test"));
  }
  void TearDown() override {
    m_store.Close();
    fs::remove_all(m_dir);
  }

  // The stored row of the key, if any.
  std::optional<KeyAssignmentRow> Stored(int key_code) {
    KeyAssignmentRow row;
    if (!m_store.GetKeyAssignment(kProfile, kBaseLayer, key_code, row)) return std::nullopt;
    return row;
  }

  static constexpr int kProfile = 2;
  fs::path m_dir;
  ProfileStore m_store;
};

TEST_F(KeyAssignmentTest, EachKindStoresItsValuesOnTheBaseLayer) {
  struct Case {
    const char* what;
    KeyAssignmentRow row;
    int kind;  // -1: nothing stored
    int value, value2, value3;
  };
  const Case cases[] = {
      {"disabled", DisabledAssignment(kProfile, kKeyA, "Disabled"), 1, 1, 0, 0},
      {"key code", FunctionAssignment(kProfile, kKeyA, kKeyEscape, 0, 0, "Esc"), 2, 0x29, 0, 0},
      {"function", FunctionAssignment(kProfile, kKeyA, kFuncVolumeUp, 0, 0, "Vol+"), 2, 234, 0, 0},
      {"item data 499", FunctionAssignment(kProfile, kKeyA, 499, 7, 8, "x"), 2, 499, 7, 8},
      {"item data 500", FunctionAssignment(kProfile, kKeyA, 500, 7, 8, "y"), 12, 500, 7, 8},
      {"item data 0", FunctionAssignment(kProfile, kKeyA, 0, 0, 0, "none"), -1, 0, 0, 0},
      {"macro", MacroAssignment(kProfile, kKeyA, 4, "Macro 4"), 3, 4, 0, 0},
      {"shortcut", ShortcutAssignment(kProfile, kKeyA, 15, "Alt+F4"), 7, 15, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    m_store.SaveKeyAssignment(FactoryAssignment(kProfile, kKeyA));
    m_store.SaveKeyAssignment(c.row);
    const std::optional<KeyAssignmentRow> stored = Stored(kKeyA);
    if (c.kind < 0) {
      EXPECT_FALSE(stored.has_value());
      continue;
    }
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->fn_layer, kBaseLayer);
    EXPECT_EQ(stored->macro_type, c.kind);
    EXPECT_EQ(stored->macro_value, c.value);
    EXPECT_EQ(stored->macro_value2, c.value2);
    EXPECT_EQ(stored->macro_value3, c.value3);
    EXPECT_EQ(stored->macro_desc, c.row.macro_desc);
    EXPECT_EQ(stored->layout_value, 0);
    EXPECT_EQ(stored->layout_desc, "");
  }
}

TEST_F(KeyAssignmentTest, TheFactoryFunctionDeletesOnlyThatKeysRow) {
  m_store.SaveKeyAssignment(DisabledAssignment(kProfile, kKeyA, "Disabled"));
  m_store.SaveKeyAssignment(MacroAssignment(kProfile, kKeyFn, 1, "M"));
  EXPECT_EQ(m_store.SaveKeyAssignment(FactoryAssignment(kProfile, kKeyA)), 0);
  EXPECT_FALSE(Stored(kKeyA).has_value());
  EXPECT_TRUE(Stored(kKeyFn).has_value());
}

}  // namespace
