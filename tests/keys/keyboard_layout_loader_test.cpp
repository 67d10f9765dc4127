// Loading a layout file: the forward-only walk, what a load replaces and what
// a missing or broken file leaves alone, and the database switch.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "keys/keyboard_layout_loader.h"
#include "recording_layout_view.h"
#include "store/profile_store.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kFullLayout = R"(<?xml version="1.0" encoding="UTF-8"?>
<device.info>
  <menu macro="1" light_mode="0"/>
  <function sleep_time="1"/>
  <firmware version="106" file="fw.zip" url="https://example.com/fw/"/>
  <light rgb_keyboard="1" default_mode="2" default_brightness="3" default_speed="1"
         brightness_max="5" speed_max="4">
    <info name="400" mode="1" attribute="49"/>
    <!-- a comment between modes -->
    <info name="401" mode="2" attribute="67"/>
  </light>
  <Keyboard xpos="100" ypos="50" width="400" height="200" image="kb.png" row_count="2"
            col_count="12">
    <KeyItems>
      <key code="4" name="A" desc="Letter A" key_index="10" light_index="3" row_col="1,11"
           rect="10#20#30#40" icon="icon/a.png"/>
      <key code="05" name="B" desc="Letter B" key_index="11" light_index="4" row_col="1,5"
           rect="50#20#30#40"/>
      <note text="not a key"/>
      <key code="4" name="A2" desc="A again" key_index="20" light_index="7" row_col="0,0"
           rect="90#20#30#40"/>
      <key code="AF" name="Fn" desc="Fn" rect="130#20#30#40"/>
      <key code="2C" name="Space" desc="Space" key_index="30" light_index="8" row_col="9,40"
           rect="170#20#30#40"/>
    </KeyItems>
  </Keyboard>
</device.info>
)";

class KeyboardLayoutLoaderTest : public testing::Test {
 protected:
  void SetUp() override {
    m_root =
        fs::temp_directory_path() / ("tervane_layout_" + std::to_string(::getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_root);
    fs::create_directories(m_root / "program" / "layouts");
    fs::create_directories(m_root / "data" / "db");
    m_loader.emplace(m_store, m_view, (m_root / "program").string() + "/",
                     (m_root / "data").string() + "/");
  }
  void TearDown() override {
    m_store.Close();
    fs::remove_all(m_root);
  }

  void WriteLayout(const std::string& name, const std::string& xml) {
    std::ofstream(m_root / "program" / "layouts" / (name + ".xml"), std::ios::binary) << xml;
  }
  fs::path DatabaseFile(const std::string& name) const {
    return m_root / "data" / "db" / (name + "_data_v1.db");
  }
  LayoutLoadResult Load(int device_type) {
    return m_loader->LoadLayout(device_type, m_models, m_layout);
  }

  fs::path m_root;
  ProfileStore m_store;
  RecordingLayoutView m_view;
  std::optional<KeyboardLayoutLoader> m_loader;
  std::vector<KeyboardModel> m_models = {
      {.name = "Alpha", .device_type = 201, .layout_name = "alpha"},
      {.name = "Beta", .device_type = 101, .layout_name = "beta"},
      {.name = "Second alpha", .device_type = 201, .layout_name = "unused"},
  };
  KeyboardLayout m_layout;
};

TEST_F(KeyboardLayoutLoaderTest, FillsTheModelDataAndThePicturesOfTheEnabledPages) {
  WriteLayout("alpha", kFullLayout);
  const LayoutLoadResult r = Load(201);
  EXPECT_EQ(r.file, LayoutFileStatus::kRead);
  EXPECT_TRUE(r.database_open);
  EXPECT_TRUE(m_store.IsOpen());
  EXPECT_TRUE(fs::exists(DatabaseFile("Alpha")));

  EXPECT_EQ(m_layout.device_type, 201);
  EXPECT_EQ(m_layout.database_name, "Alpha");
  EXPECT_EQ(m_layout.page_flags, 0x43);
  EXPECT_TRUE(m_layout.sleep_time);
  EXPECT_EQ(m_layout.firmware, (FirmwareInfo{"106", "fw.zip", "https://example.com/fw/"}));
  EXPECT_EQ(m_layout.light, (LightSettings{true, 2, 3, 1, 5, 4}));
  EXPECT_EQ(m_layout.light_modes, (std::vector<LightModeTemplate>{{"400", 1, 49}, {"401", 2, 67}}));
  EXPECT_EQ(m_layout.row_count, 2);
  EXPECT_EQ(m_layout.col_count, 12);

  // The later of two keys with one code wins the maps; keys without indices
  // or with a cell off the grid stay out of them.
  EXPECT_EQ(m_layout.key_index_map, (std::map<int, int>{{0x04, 20}, {0x05, 11}, {0x2C, 30}}));
  EXPECT_EQ(m_layout.light_map, (std::map<int, int>{{0x04, 7}, {0x05, 4}, {0x2C, 8}}));
  EXPECT_FALSE(m_layout.KeyIndexOf(0xAF).has_value());
  EXPECT_FALSE(m_layout.LedPositionOf(0xAF).has_value());
  EXPECT_EQ(m_layout.LedPositionOf(0x05), 4);
  EXPECT_EQ(m_layout.KeyAt(1, 11), 0x04);
  EXPECT_EQ(m_layout.KeyAt(1, 5), 0x05);
  EXPECT_EQ(m_layout.KeyAt(0, 0), 0x04);
  int placed = 0;
  for (const auto& row : m_layout.grid) {
    for (BYTE cell : row) placed += cell != kNoGridKey;
  }
  EXPECT_EQ(placed, 3);
  ASSERT_EQ(m_layout.keys.size(), 5u);

  EXPECT_EQ(m_view.tab_items, (std::map<int, bool>{{1, true}, {2, true}, {3, false}, {7, true}}));
  EXPECT_EQ(m_view.slider_maxima, (std::vector<int>{5, 4}));
  EXPECT_EQ(m_view.firmware_button, true);

  // 0x43 enables the key page and the settings page pictures, not the light page's.
  for (const RecordingPicture* p : {&m_view.key_page, &m_view.settings_page}) {
    EXPECT_EQ(p->clears, 1);
    EXPECT_EQ(p->rect, CRect(100, 50, 500, 250));
    EXPECT_EQ(p->image, "keyboard/kb.png");
    EXPECT_EQ(p->size, CSize(400, 200));
    ASSERT_EQ(p->keys.size(), 5u);
    EXPECT_EQ(p->keys[0].name, "A");
    EXPECT_EQ(p->keys[0].text, "Letter A");
    EXPECT_EQ(p->keys[0].key_value, 0x04u);
    EXPECT_EQ(p->keys[0].rect, CRect(10, 20, 40, 60));
    EXPECT_EQ(p->keys[0].icon, "icon/a.png");
    EXPECT_EQ(p->keys[2].name, "A2");
    EXPECT_EQ(p->keys[3].key_value, 0xAFu);
  }
  EXPECT_EQ(m_view.light_page.clears, 0);
  EXPECT_TRUE(m_view.light_page.keys.empty());
  EXPECT_TRUE(m_view.light_page.image.empty());
}

TEST_F(KeyboardLayoutLoaderTest, ASecondLoadReplacesEverythingTheFirstLeft) {
  WriteLayout("alpha", kFullLayout);
  WriteLayout("beta", R"(<device.info>
    <menu macro="1" light_mode="1"/>
    <Keyboard xpos="0" ypos="0" width="10" height="10" image="b.png" row_count="1" col_count="1">
      <KeyItems><key code="29" name="Esc" key_index="0" light_index="0" row_col="0,0"
                     rect="0#0#5#5"/></KeyItems>
    </Keyboard>
  </device.info>)");
  Load(201);
  const LayoutLoadResult r = Load(101);
  EXPECT_EQ(r.file, LayoutFileStatus::kRead);
  EXPECT_EQ(m_layout.database_name, "Beta");
  EXPECT_TRUE(fs::exists(DatabaseFile("Beta")));
  EXPECT_EQ(m_layout.page_flags, 0x47);
  EXPECT_FALSE(m_layout.sleep_time);
  EXPECT_EQ(m_layout.firmware, FirmwareInfo{});
  EXPECT_EQ(m_view.firmware_button, false);
  EXPECT_EQ(m_layout.light, LightSettings{});
  EXPECT_TRUE(m_layout.light_modes.empty());
  EXPECT_EQ(m_layout.key_index_map, (std::map<int, int>{{0x29, 0}}));
  EXPECT_EQ(m_layout.light_map, (std::map<int, int>{{0x29, 0}}));
  EXPECT_EQ(m_layout.KeyAt(1, 11), kNoGridKey);
  EXPECT_EQ(m_layout.KeyAt(0, 0), 0x29);
  EXPECT_EQ(m_layout.LedPositionOf(0x04), std::nullopt);
  for (const RecordingPicture* p : {&m_view.key_page, &m_view.light_page, &m_view.settings_page}) {
    ASSERT_EQ(p->keys.size(), 1u);
    EXPECT_EQ(p->keys[0].name, "Esc");
    EXPECT_EQ(p->image, "keyboard/b.png");
  }
}

TEST_F(KeyboardLayoutLoaderTest, SectionsAreReadInOneForwardPass) {
  struct Case {
    const char* what;
    const char* body;
    BYTE page_flags;
    bool sleep_time;
    bool firmware_button;
  };
  const Case cases[] = {
      {"function before menu is passed over",
       R"(<function sleep_time="1"/><menu macro="1" light_mode="1"/>)", 0x47, false, false},
      {"menu without macro page", R"(<menu macro="0" light_mode="1"/>)", 0x45, false, false},
      {"menu flags other than 1 are off", R"(<menu macro="yes" light_mode="2"/>)", 0x41, false,
       false},
      {"firmware without a file", R"(<menu/><firmware version="105" file="" url="u"/>)", 0x41,
       false, false},
      {"firmware without a version", R"(<menu/><firmware file="f.zip"/>)", 0x41, false, false},
      {"function last passes over firmware",
       R"(<menu/><light/><firmware version="1" file="f"/><function sleep_time="1"/>)", 0x41, true,
       false},
      {"every section in order",
       R"(<menu macro="1"/><function sleep_time="1"/><firmware version="1" file="f"/>)", 0x43, true,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteLayout("alpha", std::string("<device.info>") + c.body + "</device.info>");
    m_layout = KeyboardLayout{};
    ASSERT_EQ(Load(201).file, LayoutFileStatus::kRead);
    EXPECT_EQ(m_layout.page_flags, c.page_flags);
    EXPECT_EQ(m_layout.sleep_time, c.sleep_time);
    EXPECT_EQ(m_view.firmware_button, c.firmware_button);
  }
}

TEST_F(KeyboardLayoutLoaderTest, WithoutMenuThePreviousPageFlagsDecideThePictures) {
  WriteLayout("alpha", R"(<device.info>
    <Keyboard xpos="0" ypos="0" width="10" height="10" image="a.png">
      <KeyItems><key code="4" name="A" rect="0#0#5#5"/></KeyItems>
    </Keyboard></device.info>)");
  m_layout.page_flags = kPageLighting;
  ASSERT_EQ(Load(201).file, LayoutFileStatus::kRead);
  EXPECT_EQ(m_layout.page_flags, kPageLighting);
  EXPECT_TRUE(m_view.tab_items.empty());
  EXPECT_EQ(m_view.light_page.keys.size(), 1u);
  EXPECT_TRUE(m_view.key_page.keys.empty());
  EXPECT_EQ(m_view.key_page.clears, 0);
  EXPECT_TRUE(m_view.settings_page.keys.empty());
  // A layout without any light index puts every key at position 0.
  EXPECT_EQ(m_layout.LedPositionOf(0x04), 0);
}

TEST_F(KeyboardLayoutLoaderTest, ABrokenOrMissingFileChangesNothingButTheDatabase) {
  WriteLayout("alpha", kFullLayout);
  ASSERT_EQ(Load(201).file, LayoutFileStatus::kRead);
  const KeyboardLayout before = m_layout;
  struct Case {
    const char* what;
    const char* xml;  // null: no file at all
    LayoutFileStatus status;
  };
  const Case cases[] = {
      {"missing file", nullptr, LayoutFileStatus::kUnreadable},
      {"unterminated tag", "<device.info><menu macro=\"1\"</device.info>",
       LayoutFileStatus::kUnreadable},
      {"two roots", "<device.info/><device.info/>", LayoutFileStatus::kUnreadable},
      {"empty file", "", LayoutFileStatus::kUnreadable},
      {"another root", "<config><menu macro=\"0\"/></config>", LayoutFileStatus::kNotALayout},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(m_root / "program" / "layouts" / "beta.xml");
    if (c.xml) WriteLayout("beta", c.xml);
    m_view.tab_items.clear();
    m_view.firmware_button.reset();

    const LayoutLoadResult r = Load(101);
    EXPECT_EQ(r.file, c.status);
    EXPECT_TRUE(r.database_open);
    EXPECT_TRUE(fs::exists(DatabaseFile("Beta")));
    EXPECT_EQ(m_layout.database_name, "Beta");
    EXPECT_EQ(m_layout.device_type, 101);

    EXPECT_EQ(m_layout.page_flags, before.page_flags);
    EXPECT_EQ(m_layout.firmware, before.firmware);
    EXPECT_EQ(m_layout.light_modes, before.light_modes);
    EXPECT_EQ(m_layout.key_index_map, before.key_index_map);
    EXPECT_EQ(m_layout.grid, before.grid);
    EXPECT_EQ(m_layout.keys.size(), before.keys.size());
    EXPECT_TRUE(m_view.tab_items.empty());
    EXPECT_FALSE(m_view.firmware_button.has_value());
    EXPECT_EQ(m_view.key_page.keys.size(), 5u);
    EXPECT_EQ(m_view.key_page.clears, 1);
  }
}

TEST_F(KeyboardLayoutLoaderTest, AnUnknownDeviceTypeStillSwitchesTheDatabase) {
  WriteLayout("alpha", kFullLayout);
  Load(201);
  const LayoutLoadResult r = Load(250);
  EXPECT_EQ(r.file, LayoutFileStatus::kUnreadable);
  EXPECT_EQ(m_layout.device_type, 250);
  EXPECT_EQ(m_layout.database_name, "");
  EXPECT_NE(m_store.DatabasePath(), DatabaseFile("Alpha").string());
  EXPECT_EQ(m_layout.keys.size(), 5u);
}

TEST(LayoutKeyText, RowColAndRectParse) {
  struct RowColCase {
    const char* text;
    std::optional<GridCell> cell;
  };
  const RowColCase row_cols[] = {
      {"2,11", GridCell{2, 11}}, {"2,5", GridCell{2, 5}}, {"0,0", GridCell{0, 0}},
      {"7,31", GridCell{7, 31}}, {"8,0", std::nullopt},   {"2,32", std::nullopt},
      {"", std::nullopt},        {"3,-1", std::nullopt},
  };
  for (const RowColCase& c : row_cols) EXPECT_EQ(ParseRowCol(c.text), c.cell) << c.text;

  struct RectCase {
    const char* text;
    CRect rect;
  };
  const RectCase rects[] = {
      {"10#20#30#40", CRect(10, 20, 40, 60)},
      {"0#0#36#36", CRect(0, 0, 36, 36)},
      {"10 20 30 40", CRect()},
      {"", CRect()},
      {"5#6", CRect(5, 6, 5, 6)},
  };
  for (const RectCase& c : rects) EXPECT_EQ(ParseKeyRect(c.text), c.rect) << c.text;
}

}  // namespace
