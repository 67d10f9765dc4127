// The installed layout files of both keyboards: every key is complete and
// fits the picture, the grid and the index ranges the protocol carries, and
// every light mode is named by a text both language files hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "QorUI/text.h"
#include "keys/key_codes.h"
#include "keys/key_label.h"
#include "keys/keyboard_layout_loader.h"
#include "keys/layout_file.h"
#include "recording_layout_view.h"
#include "shell/configuration.h"
#include "shell/language_text.h"
#include "store/profile_store.h"

namespace {

struct InstalledLayout {
  const char* file;
  std::size_t key_count;
  int col_count;
  // Parameter bits the file's modes must offer between them.
  int parameter_bits;
  // Key table positions the keyboard's family can receive.
  int key_positions;
};

// The family 2 board offers every kind of parameter the lighting page knows.
constexpr int kEveryParameter = 0x0001 | 0x0002 | 0x0004 | 0x0008 | 0x0010 | 0x0020 | 0x0040 |
                                0x0080 | 0x1000 | 0x0100 | 0x0200 | 0x0400 | 0x0800;
// The family 1 board speaks in one colour with a colourful flag, not in groups.
constexpr int kFamily1Parameters =
    0x0001 | 0x0002 | 0x0004 | 0x0010 | 0x0020 | 0x0100 | 0x0200 | 0x0400;

void PrintTo(const InstalledLayout& layout, std::ostream* os) {
  *os << layout.file;
}

constexpr int kFamily2KeyPositions = 180;
// The four family 1 key table reports declare 220 table bytes, two per position.
constexpr int kFamily1KeyPositions = 110;

constexpr InstalledLayout kLayouts[] = {
    {"tervane_k201.xml", 104, 21, kEveryParameter, kFamily2KeyPositions},
    {"tervane_k101.xml", 87, 17, kFamily1Parameters, kFamily1KeyPositions},
};

// The part of every page that a keyboard picture may use: right of the
// pages' left column and above the function picker and the light settings.
constexpr CRect kPictureArea(320, 50, 1279, 440);

constexpr int kUploadedLightPositions = 110;

std::string LayoutPath(const char* file) {
  return std::string(TERVANE_SOURCE_DIR) + "/install/layouts/" + file;
}

bool Contains(const CRect& outer, const CRect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const CRect& a, const CRect& b) {
  CRect both;
  return both.IntersectRect(a, b);
}

class InstalledLayoutTest : public testing::TestWithParam<InstalledLayout> {
 protected:
  void SetUp() override {
    const LayoutFileResult r = ReadLayoutFile(LayoutPath(GetParam().file));
    ASSERT_EQ(r.status, LayoutFileStatus::kRead);
    m_file = r.file;
  }
  LayoutFile m_file;
};

TEST_P(InstalledLayoutTest, OffersEveryPageFirmwareAndConsistentLightSettings) {
  ASSERT_TRUE(m_file.page_flags && m_file.sleep_time && m_file.firmware && m_file.light);
  EXPECT_EQ(*m_file.page_flags, 0x47);
  EXPECT_TRUE(m_file.firmware->Updatable());
  EXPECT_FALSE(m_file.firmware->url.empty());

  const LightSettings& light = *m_file.light;
  EXPECT_TRUE(light.rgb_keyboard);
  EXPECT_GE(light.default_brightness, 1);
  EXPECT_LE(light.default_brightness, light.brightness_max);
  EXPECT_GE(light.default_speed, 1);
  EXPECT_LE(light.default_speed, light.speed_max);

  std::set<int> modes;
  int bits = 0;
  for (const LightModeTemplate& m : m_file.light_modes) {
    EXPECT_TRUE(modes.insert(m.mode).second) << "mode " << m.mode << " twice";
    EXPECT_GE(m.mode, 1);
    bits |= m.attribute;
  }
  EXPECT_TRUE(modes.count(light.default_mode)) << "default mode " << light.default_mode;
  EXPECT_EQ(bits & GetParam().parameter_bits, GetParam().parameter_bits)
      << "missing parameter bits " << std::hex << (GetParam().parameter_bits & ~bits);
}

TEST_P(InstalledLayoutTest, EveryKeyIsCompleteUniqueAndInsideItsPicture) {
  ASSERT_TRUE(m_file.picture);
  const LayoutPicture& picture = *m_file.picture;
  EXPECT_TRUE(Contains(kPictureArea, picture.rect));
  EXPECT_TRUE(picture.image.ends_with(".png")) << picture.image;
  EXPECT_EQ(picture.row_count, 6);
  EXPECT_EQ(picture.col_count, GetParam().col_count);
  ASSERT_EQ(m_file.keys.size(), GetParam().key_count);

  const CRect bounds(0, 0, picture.rect.Width(), picture.rect.Height());
  std::set<int> codes, key_indices, light_indices;
  std::set<std::pair<int, int>> cells;
  for (const LayoutKey& k : m_file.keys) {
    SCOPED_TRACE(k.name + " (" + k.desc + ")");
    EXPECT_TRUE(codes.insert(k.code).second) << "code " << k.code << " twice";
    EXPECT_GT(k.code, 0);
    EXPECT_LT(k.code, kKeyNotAssignable);
    EXPECT_FALSE(k.name.empty());
    EXPECT_FALSE(k.desc.empty());
    EXPECT_FALSE(KeyLabel(k.code).empty()) << "no dialog label for code " << k.code;

    ASSERT_TRUE(k.key_index && k.light_index && k.cell);
    EXPECT_GE(*k.key_index, 0);
    EXPECT_LT(*k.key_index, GetParam().key_positions);
    EXPECT_TRUE(key_indices.insert(*k.key_index).second);
    EXPECT_GE(*k.light_index, 0);
    EXPECT_LT(*k.light_index, kUploadedLightPositions);
    EXPECT_TRUE(light_indices.insert(*k.light_index).second);
    EXPECT_LT(k.cell->row, picture.row_count);
    EXPECT_LT(k.cell->column, picture.col_count);
    EXPECT_TRUE(cells.insert({k.cell->row, k.cell->column}).second) << "cell taken twice";

    EXPECT_FALSE(k.rect.IsRectEmpty());
    EXPECT_TRUE(Contains(bounds, k.rect));
  }
  EXPECT_TRUE(codes.count(kKeyFn));
  for (std::size_t i = 0; i < m_file.keys.size(); ++i) {
    for (std::size_t j = i + 1; j < m_file.keys.size(); ++j) {
      EXPECT_FALSE(Overlap(m_file.keys[i].rect, m_file.keys[j].rect))
          << m_file.keys[i].desc << " and " << m_file.keys[j].desc;
    }
  }
}

TEST_P(InstalledLayoutTest, EveryModeIsNamedByATextOfBothLanguages) {
  for (const char* language : {"1033", "2052"}) {
    const std::string path =
        std::string(TERVANE_SOURCE_DIR) + "/install/language/" + language + ".lan";
    // The language files are installed data of their own; this check runs
    // whenever they are there.
    if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is not installed";
    for (const LightModeTemplate& m : m_file.light_modes) {
      EXPECT_EQ(m.name, std::to_string(text::ParseDecimal(m.name))) << "not a text number";
      EXPECT_FALSE(LoadTextFrom(path, kTextSection, m.name).empty())
          << "text " << m.name << " missing from " << path;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Keyboards, InstalledLayoutTest, testing::ValuesIn(kLayouts),
                         [](const testing::TestParamInfo<InstalledLayout>& info) {
                           std::string name = info.param.file;
                           return name.substr(0, name.find('.'));
                         });

class IgnoredDevices : public DeviceFilterSink, public DeviceListSink {
 public:
  void AddDeviceFilter(int, int, const std::string&, int, int, const std::string&) override {}
  void AddDevice(const std::string&, int, int, int, bool) override {}
};

// config.xml names the layout of each model: start-up loads the family 2
// model's, and every other model's loads as well.
TEST(InstalledConfiguration, EveryModelLoadsItsLayout) {
  namespace fs = std::filesystem;
  const fs::path data =
      fs::temp_directory_path() / ("tervane_installed_" + std::to_string(::getpid()));
  fs::remove_all(data);
  fs::create_directories(data / "db");
  {
    ProfileStore store;
    RecordingLayoutView view;
    KeyboardLayoutLoader loader(store, view, std::string(TERVANE_SOURCE_DIR) + "/install/",
                                data.string() + "/");
    KeyboardLayout layout;
    Configuration config;
    IgnoredDevices devices;
    std::vector<LayoutLoadResult> loads;
    ASSERT_TRUE(LoadConfiguration(std::string(TERVANE_SOURCE_DIR) + "/install/", config, devices,
                                  devices, [&](int device_type) {
                                    loads.push_back(
                                        loader.LoadLayout(device_type, config.models, layout));
                                  }));
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0].file, LayoutFileStatus::kRead);
    EXPECT_TRUE(loads[0].database_open);
    EXPECT_EQ(layout.device_type, kStartupDeviceType);
    EXPECT_EQ(layout.keys.size(), 104u);
    EXPECT_EQ(view.key_page.keys.size(), 104u);

    ASSERT_EQ(config.models.size(), std::size(kLayouts));
    for (const KeyboardModel& model : config.models) {
      SCOPED_TRACE(model.name);
      const LayoutLoadResult r = loader.LoadLayout(model.device_type, config.models, layout);
      EXPECT_EQ(r.file, LayoutFileStatus::kRead);
      EXPECT_EQ(layout.database_name, model.name);
      EXPECT_EQ(layout.col_count, model.device_type > 200 ? 21 : 17);
      EXPECT_EQ(layout.light_map.size(), layout.keys.size());
      EXPECT_TRUE(fs::exists(data / "db" / (model.name + "_data_v1.db")));
    }
    store.Close();
  }
  fs::remove_all(data);
}

}  // namespace
