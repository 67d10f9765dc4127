#include "update/zip_extractor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <set>

#include "support/temp_dir.h"
#include "update/zip_builder.h"

namespace fs = std::filesystem;

namespace {

// Every path below `root`, relative to it.
std::set<std::string> Tree(const std::string& root) {
  std::set<std::string> paths;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    paths.insert(fs::relative(entry.path(), root).string());
  }
  return paths;
}

ExtractLimits Limits(std::uint64_t bytes, std::uint32_t entries) {
  ExtractLimits limits;
  limits.max_total_bytes = bytes;
  limits.max_entries = entries;
  return limits;
}

class ZipExtractorTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_dir.File("out"));
    fs::create_directories(m_dir.File("in"));
  }

  ExtractResult Extract(const std::vector<ZipEntrySpec>& entries, ExtractLimits limits = {}) {
    EXPECT_TRUE(WriteZip(m_archive, entries));
    return ExtractAll(m_archive, m_out, limits);
  }

  TempDir m_dir;
  std::string m_archive = m_dir.File("in/update.zip");
  std::string m_out = m_dir.File("out");
};

TEST_F(ZipExtractorTest, HostileNamesLandInsideTheFolder) {
  const ExtractResult r =
      Extract({ZipEntrySpec("..\\..\\x.exe", "x"), ZipEntrySpec("C:\\y.dll", "y"),
               ZipEntrySpec("../up.txt", "u"), ZipEntrySpec("/abs/olute.txt", "a"),
               ZipEntrySpec("..", "nothing left")});
  EXPECT_TRUE(r.Complete());
  EXPECT_EQ(r.files, 4);
  EXPECT_EQ(r.skipped, 1);
  EXPECT_EQ(Tree(m_out),
            (std::set<std::string>{"x.exe", "y.dll", "up.txt", "abs", "abs/olute.txt"}));
  EXPECT_EQ(TempDir::Read(m_out + "/x.exe"), "x");
  // Nothing beside the output folder.
  EXPECT_EQ(Tree(m_dir.path()),
            (std::set<std::string>{"in", "in/update.zip", "out", "out/x.exe", "out/y.dll",
                                   "out/up.txt", "out/abs", "out/abs/olute.txt"}));
}

TEST_F(ZipExtractorTest, SymbolicLinksAreSkippedAndNeverFollowed) {
  fs::create_directories(m_dir.File("elsewhere"));
  fs::create_directory_symlink(m_dir.File("elsewhere"), m_out + "/planted");
  const ExtractResult r = Extract({
      ZipEntrySpec("link", "/etc/passwd").UnixMode(S_IFLNK | 0777),
      ZipEntrySpec("planted/evil.txt", "through a link"),
      ZipEntrySpec("planted", "replaces the link"),
      ZipEntrySpec("fine.txt", "ok"),
  });
  EXPECT_TRUE(r.Complete());
  EXPECT_EQ(r.skipped, 1);
  EXPECT_EQ(r.failed, 1);
  EXPECT_EQ(r.files, 2);
  EXPECT_FALSE(fs::exists(fs::symlink_status(m_out + "/link")));
  EXPECT_TRUE(fs::is_empty(m_dir.File("elsewhere")));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(m_out + "/planted")));
  EXPECT_EQ(TempDir::Read(m_out + "/fine.txt"), "ok");
}

TEST_F(ZipExtractorTest, DirectoriesAreMadeFromEntriesAndFromPaths) {
  const ExtractResult r = Extract(
      {ZipEntrySpec("docs/"), ZipEntrySpec("flagged").DosAttributes(0x10),
       ZipEntrySpec("unixdir").UnixMode(S_IFDIR | 0755), ZipEntrySpec("deep\\er\\file.txt", "d")});
  EXPECT_TRUE(r.Complete());
  EXPECT_EQ(r.directories, 3);
  EXPECT_EQ(r.files, 1);
  EXPECT_TRUE(fs::is_directory(m_out + "/docs"));
  EXPECT_TRUE(fs::is_directory(m_out + "/flagged"));
  EXPECT_TRUE(fs::is_directory(m_out + "/unixdir"));
  EXPECT_EQ(TempDir::Read(m_out + "/deep/er/file.txt"), "d");
}

TEST_F(ZipExtractorTest, SizeCapStopsABombAndRemovesTheCutFile) {
  const std::string zeros(600 * 1024, '\0');
  const ExtractResult r = Extract({ZipEntrySpec("a.bin", zeros), ZipEntrySpec("b.bin", zeros),
                                   ZipEntrySpec("c.txt", "never reached")},
                                  Limits(1 << 20, 10000));
  EXPECT_TRUE(r.opened);
  EXPECT_EQ(r.stop, ExtractStop::kSizeCap);
  EXPECT_FALSE(r.Complete());
  EXPECT_EQ(r.files, 1);
  EXPECT_EQ(Tree(m_out), (std::set<std::string>{"a.bin"}));
}

TEST_F(ZipExtractorTest, EntryCapStopsAtTheEntryPastTheLimit) {
  std::vector<ZipEntrySpec> entries;
  for (int i = 0; i < 5; ++i) entries.push_back(ZipEntrySpec(std::to_string(i), "e"));
  const ExtractResult r = Extract(entries, Limits(std::uint64_t{1} << 30, 3));
  EXPECT_EQ(r.stop, ExtractStop::kEntryCap);
  EXPECT_EQ(r.files, 3);
}

TEST_F(ZipExtractorTest, FileTimesComeFromDosTimeOrTheTimestampField) {
  const ExtractResult r = Extract({
      ZipEntrySpec("dos.txt", "d").Time(2021, 6, 15, 12, 30, 20),
      ZipEntrySpec("ut.txt", "u")
          .Extra(ExtendedTimestampField(1600000000, 1600000500),
                 ExtendedTimestampField(1600000000, 0).substr(0, 9)),
  });
  ASSERT_TRUE(r.Complete());
  std::tm local{};
  local.tm_year = 121;
  local.tm_mon = 5;
  local.tm_mday = 15;
  local.tm_hour = 12;
  local.tm_min = 30;
  local.tm_sec = 20;
  local.tm_isdst = -1;
  struct stat st {};
  ASSERT_EQ(::stat((m_out + "/dos.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, std::mktime(&local));
  ASSERT_EQ(::stat((m_out + "/ut.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, 1600000000);
  EXPECT_EQ(st.st_atim.tv_sec, 1600000500);
}

TEST_F(ZipExtractorTest, PermissionsFollowTheEntryWithoutSetIdBits) {
  const ExtractResult r =
      Extract({ZipEntrySpec("tool", "#!/bin/sh\n").UnixMode(S_IFREG | 04755),
               ZipEntrySpec("ro.txt", "r").DosAttributes(0x01), ZipEntrySpec("plain.txt", "p")});
  ASSERT_TRUE(r.Complete());
  const auto mode = [&](const char* name) {
    struct stat st {};
    ::stat((m_out + "/" + name).c_str(), &st);
    return st.st_mode & 07777;
  };
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(mode("tool"), 0755u & ~mask);
  EXPECT_EQ(mode("ro.txt"), 0444u & ~mask);
  EXPECT_EQ(mode("plain.txt"), 0644u & ~mask);
}

TEST_F(ZipExtractorTest, CorruptEntryIsRemovedAndTheRestUnpacked) {
  const ExtractResult r =
      Extract({ZipEntrySpec("bad.exe", "payload").WrongCrc(0x1234), ZipEntrySpec("good.txt", "g")});
  EXPECT_TRUE(r.Complete());
  EXPECT_EQ(r.failed, 1);
  EXPECT_EQ(Tree(m_out), (std::set<std::string>{"good.txt"}));
}

TEST_F(ZipExtractorTest, SomethingThatIsNotAnArchiveDoesNotOpen) {
  m_dir.Write("in/update.zip", "<html>Not Found</html>");
  const ExtractResult r = ExtractAll(m_archive, m_out);
  EXPECT_FALSE(r.opened);
  EXPECT_FALSE(ExtractAll(m_dir.File("missing.zip"), m_out).opened);
  EXPECT_TRUE(fs::is_empty(m_out));
}

}  // namespace
