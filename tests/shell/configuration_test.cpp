#include "shell/configuration.h"

#include <gtest/gtest.h>

#include "QorUI/manager.h"
#include "shell/paths.h"
#include "support/temp_dir.h"

namespace {

// Records what LoadConfiguration hands on, one line per call.
struct RecordingSinks : DeviceFilterSink, DeviceListSink {
  std::vector<std::string> calls;
  void AddDeviceFilter(int vid, int pid, const std::string& product, int type, int mode,
                       const std::string& pattern) override {
    calls.push_back("filter " + std::to_string(vid) + " " + std::to_string(pid) + " '" + product +
                    "' " + std::to_string(type) + " " + std::to_string(mode) + " " + pattern);
  }
  void AddDevice(const std::string& name, int a, int b, int type, bool unavailable) override {
    calls.push_back("device " + name + " " + std::to_string(a) + " " + std::to_string(b) + " " +
                    std::to_string(type) + (unavailable ? " unavailable" : ""));
  }
};

class ConfigurationTest : public testing::Test {
 protected:
  void TearDown() override { Manager::SetDeviceName("Tervane"); }

  // Loads `xml` as config.xml; the layout hook's calls are recorded too.
  bool Load(std::string_view xml) {
    m_dir.Write("config.xml", xml);
    return LoadConfiguration(m_dir.path() + "/", m_config, m_sinks, m_sinks, [this](int type) {
      m_sinks.calls.push_back("layout " + std::to_string(type));
    });
  }

  TempDir m_dir;
  Configuration m_config;
  RecordingSinks m_sinks;
};

TEST_F(ConfigurationTest, ModelsAndModesInFileOrder) {
  ASSERT_TRUE(Load(R"(<?xml version="1.0"?>
<config>
  <device.info>
    <keyboard name="A" device_type="201" device_info="a_layout">
      <mode value="0" desc="USB" vid="3554" pid="F001" product_name="A wired" hid_interface="P1"/>
      <mode value="2" desc="Dongle"/>
    </keyboard>
    <keyboard name="B &amp; C" device_type="101" device_info="b">
      <mode value="1" vid="0x1a" pid="zz" hid_interface="P3"/>
    </keyboard>
  </device.info>
  <software name="Ignored here" version="2.1.0">
    <website url="https://example.com/w"/>
    <upgrade url="https://example.com/u"/>
    <copyright info="(c) T"/>
  </software>
</config>)"));
  EXPECT_EQ(m_sinks.calls, (std::vector<std::string>{
                               "device A 0 0 201",
                               "filter 13652 61441 'A wired' 201 0 P1",
                               "filter 0 0 '' 201 2 ",
                               "device B & C 0 0 101",
                               "filter 26 0 '' 101 1 P3",
                               "layout 201",
                           }));
  ASSERT_EQ(m_config.models.size(), 2u);
  EXPECT_EQ(m_config.models[1].name, "B & C");
  EXPECT_EQ(m_config.models[1].layout_name, "b");
  EXPECT_EQ(m_config.models[0].vendor_id, 0) << "a model record has no ids";
  ASSERT_EQ(m_config.modes.size(), 3u);
  const KeyboardMode& dongle = m_config.modes[1];
  EXPECT_EQ(dongle.name, "") << "a mode without product_name names no product";
  EXPECT_EQ(dongle.description, "Dongle");
  EXPECT_EQ(dongle.layout_name, "a_layout");
  EXPECT_EQ(dongle.connection_mode, 2);
  EXPECT_EQ(dongle.present, 0);
  EXPECT_EQ(m_config.product.version, "2.1.0");
  EXPECT_EQ(m_config.product.website_url, "https://example.com/w");
  EXPECT_EQ(m_config.product.store_url, "") << "a missing element is skipped";
  EXPECT_EQ(m_config.product.upgrade_url, "https://example.com/u");
  EXPECT_EQ(m_config.product.copyright, "(c) T");
}

TEST_F(ConfigurationTest, ForwardOnlyReadingMissesElementsOutOfOrder) {
  ASSERT_TRUE(Load(R"(<config><software version="1"><upgrade url="u"/><website url="w"/></software>
                   <device.info><keyboard name="K" device_type="201"/></device.info></config>)"));
  EXPECT_EQ(m_config.models.size(), 1u);
  EXPECT_EQ(m_config.product.version, "") << "software before device.info is not found";
}

TEST_F(ConfigurationTest, UnusableFilesLeaveEverythingEmpty) {
  const char* files[] = {
      "",
      "<config><device.info><keyboard name='K' device_type='201'></device.info></config>",
      "<other><device.info><keyboard name='K' device_type='201'/></device.info></other>",
      "\xFF\xFE\x00",
  };
  for (const char* xml : files) {
    m_config.models.push_back({});
    m_sinks.calls.clear();
    EXPECT_FALSE(Load(xml)) << xml;
    EXPECT_TRUE(m_config.models.empty());
    EXPECT_TRUE(m_config.modes.empty());
    EXPECT_EQ(m_config.product.version, "");
    EXPECT_EQ(m_sinks.calls, std::vector<std::string>{"layout 201"}) << "the layout still loads";
  }
  m_sinks.calls.clear();
  EXPECT_FALSE(LoadConfiguration(m_dir.File("missing") + "/", m_config, m_sinks, m_sinks, nullptr));
  EXPECT_TRUE(m_sinks.calls.empty());
}

TEST_F(ConfigurationTest, DeviceNameNeedsAUsableName) {
  struct Case {
    std::string software;
    std::string name;
  };
  const Case cases[] = {
      {"<software name='Vendor Tool'/>", "Vendor Tool"},
      {"<software name=''/>", "Tervane"},
      {"<software name='a/b'/>", "Tervane"},
      {"<software name='..'/>", "Tervane"},
      {"<software/>", "Tervane"},
      {"", "Tervane"},
  };
  for (const Case& c : cases) {
    Manager::SetDeviceName("Tervane");
    m_dir.Write("config.xml", "<config><device.info/>" + c.software + "</config>");
    LoadDeviceName(m_dir.path() + "/");
    EXPECT_EQ(Manager::GetDeviceName(), c.name) << c.software;
  }
  Manager::SetDeviceName("Tervane");
  LoadDeviceName(m_dir.File("missing") + "/");
  EXPECT_EQ(Manager::GetDeviceName(), "Tervane");
}

TEST(InstalledConfiguration, ListsBothModelsWithTheirModes) {
  Configuration config;
  RecordingSinks sinks;
  int layout_type = 0;
  ASSERT_TRUE(LoadConfiguration(GetModuleDirectory(), config, sinks, sinks,
                                [&](int type) { layout_type = type; }));
  EXPECT_EQ(layout_type, 201);
  ASSERT_EQ(config.models.size(), 2u);
  EXPECT_EQ(config.models[0].device_type, 201);
  EXPECT_EQ(config.models[0].layout_name, "tervane_k201");
  EXPECT_EQ(config.models[1].device_type, 101);
  EXPECT_EQ(config.models[1].layout_name, "tervane_k101");
  ASSERT_EQ(config.modes.size(), 4u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(config.modes[i].connection_mode, i);
  for (const KeyboardMode& mode : config.modes) {
    SCOPED_TRACE(mode.description);
    EXPECT_EQ(mode.vendor_id, 0x3554);
    EXPECT_EQ(mode.name, "") << "interfaces carry no product name to match";
    char pattern[32];
    std::snprintf(pattern, sizeof pattern, "0003:%08X:%08X", mode.vendor_id, mode.product_id);
    EXPECT_EQ(mode.interface_pattern, pattern);
    EXPECT_TRUE(
        std::filesystem::exists(GetModuleDirectory() + "layouts/" + mode.layout_name + ".xml"));
  }
  EXPECT_EQ(config.product.version, "1.0.0");
  EXPECT_TRUE(config.product.website_url.starts_with("https://example.com/"));
  EXPECT_TRUE(config.product.store_url.starts_with("https://example.com/"));
  EXPECT_TRUE(config.product.upgrade_url.starts_with("https://example.com/"));
  EXPECT_FALSE(config.product.copyright.empty());
}

}  // namespace
