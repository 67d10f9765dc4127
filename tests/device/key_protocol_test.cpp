// Key and macro downloads of both command families, as report traces against
// the simulator, with their pauses read from the simulator's timestamps.
#include <gtest/gtest.h>

#include "device/key_protocol.h"
#include "tests/device/sim_fixture.h"

namespace {

// Runs of identical lines become "<line> xN", so a 28-report slot write stays short.
std::vector<std::string> Condense(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < lines.size();) {
    std::size_t j = i;
    while (j < lines.size() && lines[j] == lines[i]) ++j;
    out.push_back(j - i > 1 ? lines[i] + " x" + std::to_string(j - i) : lines[i]);
    i = j;
  }
  return out;
}

StoredMacro TapMacro(int key, int release_delay) {
  return Macro(1, {Rec(kRecordPress, key, 0), Rec(kRecordRelease, key, release_delay)});
}

// Binds slots in the simulated keyboard the way an earlier download would have.
void PreloadSlots(SimRig& rig, std::initializer_list<int> macro_slots,
                  std::initializer_list<int> remap_slots) {
  for (int s : macro_slots) {
    for (const FeatureReport& r :
         SplitMacroSlotBlock(BuildMacroSlotBlock(0x40 + s, s, kKindShortcut, 2, {}))) {
      rig.manager->SendFeatureNow(r);
    }
  }
  for (int s : remap_slots) {
    rig.manager->SendFeatureNow(*BuildRemapSlotReport(s, Assign(0x50 + s, kKindFunction, 4)));
  }
  rig.sim->ClearLog();
}

class Family2Download : public ::testing::Test {
 protected:
  void SetUp() override {
    kb = rig.AddFamily2();
    rig.Connect(201);
    source.macros = {{1, TapMacro(0x04, 20)}, {2, TapMacro(0x05, 0)}, {3, TapMacro(0x06, 0)}};
    source.rows = {
        Assign(0x04, kKindMacro, 1),    Assign(0x05, kKindFunction, 0x06),
        Assign(0x06, kKindShortcut, 2), Assign(0x07, kKindMacro, 2),
        Assign(0x08, kKindDisabled, 1), Assign(0x09, kKindFactory, 0),
        Assign(0x0A, kKindMacro, 3),
    };
  }
  SimRig rig;
  FakeKeySource source;
  int kb = 0;
};

TEST_F(Family2Download, ClearsStaleSlotsThenWritesRowsInOrder) {
  PreloadSlots(rig, {2, 13}, {1});
  KeyProtocol protocol(*rig.manager, source);
  const KeyDownloadResult result = protocol.DownloadKeys(201);
  EXPECT_EQ(result.macro_slots_written, 4);
  EXPECT_EQ(result.remap_slots_written, 2);
  EXPECT_EQ(result.rows_left_out, 0);

  ExpectTrace(
      {
          "set 07 FB 01",
          "get 07 00 00 42",              // table bytes 0-6: macro slot 2 holds 0x42
          "get 07 00 00 00 00 00 00 4D",  // bytes 7-13: slot 13 is this read's last byte
          "get 07 51",                    // bytes 14-20: remap slot 1
          "get 07 00",
          // Clearing pass: macro slots 2 and 13, remap slot 1.
          "set 07 F1 01 02",
          "set 07 00 x27",
          "set 07 F1 01 0D",
          "set 07 00 x27",
          "set 07 FA 01 01 00 01 00 01",
          // Rows in order: macro slots 1-4 and remap slots 1-2; the kind 0 row is skipped.
          "set 07 F1 01 01 04 01 04 01",
          "set 07 00 04 82",
          "set 07 00 x26",
          "set 07 FA 01 01 05 01 06 01",
          "set 07 F1 01 02 06 01 E0 01",
          "set 07 00 06 01 06 81 E0 81",
          "set 07 00 x26",
          "set 07 F1 01 03 07 01 05 01",
          "set 07 00 05 81",
          "set 07 00 x26",
          "set 07 FA 01 02 08 01 01 01",
          "set 07 F1 01 04 0A 01 06 01",
          "set 07 00 06 81",
          "set 07 00 x26",
      },
      Condense(Trace(rig.sim->GetLog())));

  const KeyboardState state = rig.sim->GetState(kb);
  ASSERT_EQ(state.macro_slots.size(), 4u);
  EXPECT_EQ(state.macro_slots.at(1).key_code, 0x04);
  EXPECT_EQ(state.macro_slots.at(2).key_code, 0x06);
  EXPECT_EQ(state.macro_slots.at(4).key_code, 0x0A);
  EXPECT_EQ(state.macro_slots.count(13), 0u) << "slot 13 is cleared too";
  ASSERT_EQ(state.remap_slots.size(), 2u);
  EXPECT_EQ(state.remap_slots.at(1).value, 0x06);
  EXPECT_EQ(state.remap_slots.at(2).key_code, 0x08);
  EXPECT_EQ(state.unknown_reports, 0);
}

TEST_F(Family2Download, PausesBetweenReports) {
  KeyProtocol protocol(*rig.manager, source);
  protocol.WriteMacroSlot(0x04, 1, kKindMacro, 1);
  protocol.WriteRemapSlot(0x05, 1);
  const std::vector<double> gaps = Gaps(rig.sim->GetLog());
  ASSERT_EQ(gaps.size(), 29u);
  for (double g : gaps) EXPECT_DOUBLE_EQ(g, 16.0);

  // In a download each slot write waits another 16 ms first.
  rig.sim->ClearLog();
  const auto start = rig.clock.Now();
  protocol.DownloadKeys(201);
  const std::vector<SimReport> log = rig.sim->GetLog();
  const std::vector<double> d = Gaps(log, start);
  EXPECT_EQ(d[0], 0) << "slot table request";
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(d[i], 16) << "slot table read " << i;
  EXPECT_EQ(d[5], 32) << "first report of macro slot 1";
  EXPECT_EQ(d[6], 16);
  EXPECT_EQ(d[33], 32) << "remap slot 1";
}

TEST_F(Family2Download, TheSlotTableMayNotAnswer) {
  PreloadSlots(rig, {1, 2}, {1});
  rig.sim->SetReadBehaviour(kb, ReadBehaviour::kNever);
  KeyProtocol protocol(*rig.manager, source);
  protocol.DownloadKeys(201);
  const std::vector<std::string> trace = Condense(Trace(rig.sim->GetLog()));
  ASSERT_GE(trace.size(), 6u);
  ExpectTrace({"set 07 FB 01", "get! 07 FB 01 x4", "set 07 F1 01 01 04 01 04 01"},
              {trace[0], trace[1], trace[2]});
}

TEST_F(Family2Download, RowsBeyondTheSlotsAreLeftOutAndCounted) {
  source.rows.clear();
  for (int i = 0; i < 15; ++i) source.rows.push_back(Assign(0x04 + i, kKindShortcut, 1));
  for (int i = 0; i < 12; ++i) source.rows.push_back(Assign(0x20 + i, kKindFunction, 0x04));
  KeyProtocol protocol(*rig.manager, source);
  const KeyDownloadResult result = protocol.DownloadKeys(201);
  EXPECT_EQ(result.macro_slots_written, 13);
  EXPECT_EQ(result.remap_slots_written, 10);
  EXPECT_EQ(result.rows_left_out, 4);
  const KeyboardState state = rig.sim->GetState(kb);
  EXPECT_EQ(state.macro_slots.size(), 13u);
  EXPECT_EQ(state.remap_slots.size(), 10u);
  EXPECT_EQ(state.unknown_reports, 0) << "no slot number beyond 13 or 10 was sent";
}

TEST_F(Family2Download, AKeyboardUnpluggedMidDownloadEndsItWithoutHarm) {
  rig.sim->UnplugAfter(kb, 40);
  KeyProtocol protocol(*rig.manager, source);
  protocol.DownloadKeys(201);
  const std::vector<SimReport> log = rig.sim->GetLog();
  int ok = 0;
  for (const SimReport& r : log) ok += r.ok;
  EXPECT_EQ(ok, 40);
  EXPECT_FALSE(log.back().ok);
  // What arrived before the unplug stays: macro slot 1 is complete.
  EXPECT_EQ(rig.sim->GetState(kb).macro_slots.count(1), 1u);
  EXPECT_EQ(rig.manager->GetLastError(), "No such device");
}

TEST_F(Family2Download, AKeyboardGoneBeforeTheDownloadGetsNothing) {
  rig.sim->SetPlugged(kb, false);
  KeyProtocol protocol(*rig.manager, source);
  protocol.DownloadKeys(201);
  // The handles are still open but dead: every report fails, nothing hangs.
  for (const SimReport& r : rig.sim->GetLog()) EXPECT_FALSE(r.ok);

  // After the next refresh there is no device at all: nothing is even tried.
  rig.Connect(201);
  protocol.DownloadKeys(201);
  EXPECT_TRUE(rig.sim->GetLog().empty());
  EXPECT_EQ(rig.clock.Now().count() > 0, true);
}

TEST(Family1Download, MacrosShortcutsThenKeyTable) {
  SimRig rig;
  const int kb = rig.AddFamily1();
  rig.Connect(101);
  FakeKeySource source;
  source.macros = {{1, TapMacro(0x04, 0x123)}};
  source.rows = {Assign(0x04, kKindMacro, 1), Assign(0x05, kKindShortcut, 8),
                 Assign(0x06, kKindFunction, 0x29)};
  source.key_index = {{0x04, 0}, {0x05, 1}, {0x06, 2}};
  KeyProtocol protocol(*rig.manager, source);
  protocol.DownloadKeys(101);
  ExpectTrace(
      {
          "write 00 8E 09 00 00 00 01 02 04 00 80 04 A3 01",
          "write 00 8E 0C 00 00 01 01 04 E3 64 80 0F 64 80 0F 64 00 E3 64",
          "write 00 8D 3C 00 00 00 40 01 40 29 20",
          "write 00 8D 3C 3C",
          "write 00 8D 3C 78",
          "write 00 8D 28 B4",
      },
      Trace(rig.sim->GetLog()));
  EXPECT_EQ(Gaps(rig.sim->GetLog()), (std::vector<double>{110, 10, 30, 10, 10, 10}));
  EXPECT_EQ(protocol.GetFamily1Slots(), (Family1SlotMap{{0x04, 0}, {0x05, 1}}));
  const KeyboardState state = rig.sim->GetState(kb);
  EXPECT_EQ(state.key_table[1], 0x40);
  EXPECT_EQ(state.family1_macros.at(1).size(), 14u);
  EXPECT_EQ(state.unknown_reports, 0);
}

TEST(Family1Download, AFailedMacroReportStopsTheMacrosButNotTheKeyTable) {
  SimRig rig;
  const int kb = rig.AddFamily1();
  rig.Connect(101);
  FakeKeySource source;
  StoredMacro longer;
  for (int i = 0; i < 30; ++i) longer.records.push_back(Rec(kRecordPress, 0x04, 0));  // 93 bytes
  source.macros = {{1, longer}, {2, TapMacro(0x05, 0)}};
  source.rows = {Assign(0x04, kKindMacro, 1), Assign(0x05, kKindMacro, 2),
                 Assign(0x06, kKindShortcut, 1)};
  source.key_index = {{0x04, 0}, {0x05, 1}, {0x06, 2}};
  rig.sim->UnplugAfter(kb, 1);
  KeyProtocol protocol(*rig.manager, source);
  protocol.WriteKeyTable();
  const std::vector<std::string> trace = Trace(rig.sim->GetLog());
  // First report of macro 1, its failed second report and retry, then the four
  // key table reports (each failing and retried): no macro 2, no shortcut.
  ASSERT_EQ(trace.size(), 11u);
  EXPECT_EQ(trace[1].rfind("write! 00 8E 22 3B", 0), 0u) << trace[1];
  for (std::size_t i = 3; i < trace.size(); ++i) {
    EXPECT_EQ(trace[i].rfind("write! 00 8D", 0), 0u) << trace[i];
  }
  EXPECT_TRUE(protocol.GetFamily1Slots().empty());
}

TEST(DownloadPacing, RealClockPausesAreNeverShorterThanTheProtocols) {
  // The one test on the steady clock: pauses are read from the simulator's
  // timestamps. How much longer they get on a busy machine is the benchmark's
  // business, not a test's.
  KeyboardSimulator* sim = nullptr;
  auto backend = std::make_unique<KeyboardSimulator>(SteadyClock::Get());
  sim = backend.get();
  HidDeviceManager manager(std::move(backend));
  manager.AddDeviceFilter(kVid, kPid2, "", 201, 0, "");
  sim->AddKeyboard(KeyboardConfig(kPid2));
  manager.Enumerate();
  manager.SetReady(true);
  manager.SetSelectedDeviceType(201);
  FakeKeySource source;
  source.macros = {{1, TapMacro(0x04, 0)}};
  KeyProtocol protocol(manager, source);
  protocol.WriteMacroSlot(0x04, 1, kKindMacro, 1);
  const std::vector<SimReport> log = sim->GetLog();
  ASSERT_EQ(log.size(), 28u);
  const std::vector<double> gaps = Gaps(log, log[0].time);
  for (std::size_t i = 1; i < gaps.size(); ++i) EXPECT_GE(gaps[i], 16.0) << i;
}

}  // namespace
