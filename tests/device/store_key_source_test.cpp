// Downloads built from a real profile database and layout reach the simulated
// keyboards as stored.
#include <gtest/gtest.h>

#include <filesystem>

#include "device/key_protocol.h"
#include "device/store_key_source.h"
#include "support/temp_dir.h"
#include "tests/device/sim_fixture.h"

namespace {

class StoreDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(m_dir.File("db"));
    ASSERT_TRUE(store.OpenForDevice(m_dir.path() + "/", "K201"));
    const int macro = store.AddMacro("Tap A");
    ASSERT_GT(macro, 0);
    MacroRow playback;
    store.GetMacro(macro, playback);
    playback.play_times = 3;
    store.UpdateMacroPlayback(playback);
    // Stored out of order: the download follows record_index.
    MacroRecordRow release = Rec(kRecordRelease, 0x04, 2000);
    release.macro_id = macro;
    release.record_index = 2;
    MacroRecordRow press = Rec(kRecordPress, 0x04, 0);
    press.macro_id = macro;
    press.record_index = 1;
    store.AddMacroRecord(release);
    store.AddMacroRecord(press);
    for (KeyAssignmentRow row : {Assign(0x3A, kKindMacro, macro), Assign(0x3B, kKindFunction, 0x05),
                                 Assign(0x3C, kKindDisabled, 1)}) {
      row.profile = 1;
      ASSERT_GT(store.SaveKeyAssignment(row), 0);
    }
    KeyAssignmentRow other_profile = Assign(0x3D, kKindFunction, 0x06);
    other_profile.profile = 2;
    store.SaveKeyAssignment(other_profile);
    layout.key_index_map = {{0x3A, 10}, {0x3B, 11}, {0x3C, 12}};
  }
  void TearDown() override { store.Close(); }

  ProfileStore store;
  KeyboardLayout layout;
  TempDir m_dir;
};

TEST_F(StoreDownload, Family2) {
  SimRig rig;
  const int kb = rig.AddFamily2();
  rig.Connect(201);
  StoreKeyCommandSource source(store, layout, 1, 0);
  KeyProtocol protocol(*rig.manager, source);
  const KeyDownloadResult result = protocol.DownloadKeys(201);
  EXPECT_EQ(result.macro_slots_written, 1);
  EXPECT_EQ(result.remap_slots_written, 2);
  const KeyboardState state = rig.sim->GetState(kb);
  ASSERT_EQ(state.macro_slots.count(1), 1u);
  const SimMacroSlot& slot = state.macro_slots.at(1);
  EXPECT_EQ(slot.key_code, 0x3A);
  EXPECT_EQ(slot.repeat, 3);
  ASSERT_EQ(slot.events.size(), 2u);
  EXPECT_EQ(slot.events[0].key_code, 0x04) << "the record's virtual-key code became its usage";
  EXPECT_EQ(slot.events[0].timing1, 0x01);
  EXPECT_EQ(slot.events[1].timing1, 0xB4);
  EXPECT_EQ(state.remap_slots.at(1).key_code, 0x3B);
  EXPECT_EQ(state.remap_slots.at(2).key_code, 0x3C);
  EXPECT_EQ(state.remap_slots.count(3), 0u) << "another profile's rows stay out";
}

TEST_F(StoreDownload, Family1) {
  SimRig rig;
  const int kb = rig.AddFamily1();
  rig.Connect(101);
  StoreKeyCommandSource source(store, layout, 1, 0);
  KeyProtocol protocol(*rig.manager, source);
  protocol.DownloadKeys(101);
  const KeyboardState state = rig.sim->GetState(kb);
  EXPECT_EQ(state.key_table[20], 0x00) << "macro slot 0";
  EXPECT_EQ(state.key_table[21], 0x40);
  EXPECT_EQ(state.key_table[22], 0x05);
  EXPECT_EQ(state.key_table[23], 0x20);
  EXPECT_EQ(state.key_table[25], 0x20);
  const std::vector<std::uint8_t>& block = state.family1_macros.at(0);
  ASSERT_GE(block.size(), 8u);
  EXPECT_EQ(block[0], 3);
  EXPECT_EQ(block[1], 2);
  EXPECT_EQ(block[2], 0x04);
}

}  // namespace
