#include "shell/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "QorUI/manager.h"
#include "fake_environment.h"
#include "support/temp_dir.h"

namespace {

TEST(Paths, UserFoldersFollowTheXdgRules) {
  struct Case {
    std::map<std::string, std::string> env;
    std::string data, settings;
  };
  const Case cases[] = {
      {{{"HOME", "/home/u"}},
       "/home/u/.local/share/Tervane Files/",
       "/home/u/.config/Tervane/settings.ini"},
      {{{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/d"}, {"XDG_CONFIG_HOME", "/c/"}},
       "/d/Tervane Files/",
       "/c/Tervane/settings.ini"},
      // Empty or relative values are ignored.
      {{{"HOME", "/home/u"}, {"XDG_DATA_HOME", ""}, {"XDG_CONFIG_HOME", "rel"}},
       "/home/u/.local/share/Tervane Files/",
       "/home/u/.config/Tervane/settings.ini"},
  };
  Manager::SetDeviceName("Tervane");
  for (const Case& c : cases) {
    EXPECT_EQ(GetDataDirectory(FakeEnvironment(c.env)), c.data);
    EXPECT_EQ(GetSettingsFilePath(FakeEnvironment(c.env)), c.settings);
  }
}

TEST(Paths, ModuleDirectoryHoldsTheInstalledDataSet) {
  const std::string dir = GetModuleDirectory();
  EXPECT_EQ(dir, std::string(TERVANE_BIN_DIR) + "/");
  EXPECT_TRUE(std::filesystem::exists(dir + "config.xml"));
}

TEST(Paths, EnsureDirectoryCreatesEveryLevel) {
  TempDir dir;
  EXPECT_TRUE(EnsureDirectory(dir.File("a/b/c Files/db")));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("a/b/c Files/db")));
  EXPECT_TRUE(EnsureDirectory(dir.File("a/b"))) << "an existing folder is fine";
  dir.Write("file", "x");
  EXPECT_FALSE(EnsureDirectory(dir.File("file"))) << "a file is not a folder";
  EXPECT_FALSE(EnsureDirectory(dir.File("file/sub")));
}

TEST(Paths, RuntimeFolderFallsBackToAPrivateOne) {
  Manager::SetDeviceName("TervaneRuntimeTest");
  const std::string fallback = "/tmp/TervaneRuntimeTest-" + std::to_string(::getuid());
  std::filesystem::remove_all(fallback);
  EXPECT_EQ(GetRuntimeDirectory(FakeEnvironment({{"XDG_RUNTIME_DIR", "/run/user/7"}})),
            "/run/user/7/");
  EXPECT_EQ(GetRuntimeDirectory(FakeEnvironment({})), fallback + "/");
  struct stat st {};
  ASSERT_EQ(::stat(fallback.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ::chmod(fallback.c_str(), 0755);
  EXPECT_EQ(GetRuntimeDirectory(FakeEnvironment({})), "") << "a folder others can enter is refused";
  std::filesystem::remove_all(fallback);
  Manager::SetDeviceName("Tervane");
}

}  // namespace
