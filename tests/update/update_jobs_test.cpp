// The update jobs end to end: real client, local server, real unpacking,
// with the main window, the question and the launcher recorded.
#include "update/update_jobs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "support/temp_dir.h"
#include "update/archive_checksum.h"
#include "update/local_http_server.h"
#include "update/zip_builder.h"

namespace fs = std::filesystem;

namespace {

struct RecordingHost : UpdateHost {
  void MarkUpdateAvailable(UpdateTarget target) override { marked.push_back(target); }
  int ReadFirmwareVersion() override { return firmware_version; }
  void EnqueueJob(int code) override { jobs.push_back(code); }
  void EndProgram() override { ++ended; }

  std::vector<UpdateTarget> marked;
  std::vector<int> jobs;
  int firmware_version = -1;
  int ended = 0;
};

struct AnsweringQuestion : StartQuestion {
  bool ConfirmStart(UpdateTarget, const std::string& version) override {
    asked.push_back(version);
    return answer;
  }
  bool answer = true;
  std::vector<std::string> asked;
};

struct RecordingLauncher : ProgramLauncher {
  bool Start(const std::string& program, const std::string& working_dir) override {
    started.push_back(program);
    folder = working_dir;
    return succeed;
  }
  bool succeed = true;
  std::vector<std::string> started;
  std::string folder;
};

std::string ZipBytes(const std::vector<ZipEntrySpec>& entries) {
  TempDir dir;
  EXPECT_TRUE(WriteZip(dir.File("a.zip"), entries));
  return TempDir::Read(dir.File("a.zip"));
}

std::string Sha256Of(const std::string& bytes) {
  TempDir dir;
  return FileSha256(dir.Write("f", bytes)).value_or("");
}

class UpdateJobsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_server.Running()) << "the local test server did not start";
    m_state.SetProgramInfo("1.0.1", m_server.Url("soft/"));
    m_state.SetFirmwareLink(m_server.Url("fw/"));
  }

  UpdateJobs Jobs(ExtractLimits limits = {}) {
    return UpdateJobs(m_state, {*m_client, m_launcher, m_host, &m_question, nullptr}, m_data.path(),
                      limits);
  }

  // The program archive of `version` with the executable and `more` entries.
  std::string ProgramArchive(const std::string& version, std::vector<ZipEntrySpec> more = {}) {
    more.insert(more.begin(), ZipEntrySpec("Keyboard-Software-" + version + ".exe", "#!/bin/sh\n"));
    return ZipBytes(more);
  }

  std::string Temp(const std::string& name) const { return m_data.File("temp/" + name); }

  LocalHttpServer m_server;
  std::unique_ptr<HttpClient> m_client = MakeCurlHttpClient();
  TempDir m_data;
  UpdateState m_state;
  RecordingHost m_host;
  AnsweringQuestion m_question;
  RecordingLauncher m_launcher;
};

TEST_F(UpdateJobsTest, ProgramCheckDownloadsOnlyForANewerOrDifferentlyNumberedVersion) {
  struct Case {
    std::string reply;
    bool update;
  };
  const Case cases[] = {
      {"1.0.2", true},
      {"1.0.1", false},
      {"1.0.0", false},
      {"1.1", true},           // part counts differ
      {"1.0.100000", true},    // 10 characters
      {"1.0.1000000", false},  // 11 characters: ignored
      {"<!DOCTYPE html><html><body>Sorry</body></html>", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply);
    m_launcher.started.clear();
    m_host = {};
    m_server.Put("soft/version", c.reply);
    m_server.Put("soft/Keyboard-Software-" + c.reply + ".zip", ProgramArchive(c.reply));
    Jobs().CheckProgramVersion();
    if (c.update) {
      EXPECT_EQ(m_state.LatestVersion(UpdateTarget::kProgram), c.reply);
      ASSERT_EQ(m_launcher.started.size(), 1u);
      EXPECT_EQ(m_launcher.started[0], Temp("Keyboard-Software-" + c.reply + ".exe"));
      EXPECT_EQ(m_launcher.folder, Temp(""));
      EXPECT_EQ(m_host.ended, 1);
      // Unpacked whole: the archive is gone, the program can run.
      EXPECT_FALSE(fs::exists(Temp("Keyboard-Software-" + c.reply + ".zip")));
      EXPECT_TRUE(::access(m_launcher.started[0].c_str(), X_OK) == 0);
    } else {
      EXPECT_TRUE(m_launcher.started.empty());
      EXPECT_EQ(m_host.ended, 0);
    }
    EXPECT_TRUE(m_host.marked.empty());
  }
}

TEST_F(UpdateJobsTest, ProgramCheckWithoutAReplyLeavesEverythingAlone) {
  Jobs().CheckProgramVersion();  // no version file: 404
  m_state.SetProgramInfo("1.0.1", "");
  Jobs().CheckProgramVersion();  // no link: no request at all
  EXPECT_EQ(m_state.LatestVersion(UpdateTarget::kProgram), "");
  EXPECT_TRUE(m_host.marked.empty());
  EXPECT_FALSE(fs::exists(Temp("")));
}

TEST_F(UpdateJobsTest, NothingStartsWithoutTheUsersYes) {
  m_server.Put("soft/version", "1.0.2");
  m_server.Put("soft/Keyboard-Software-1.0.2.zip", ProgramArchive("1.0.2"));
  m_question.answer = false;
  Jobs().CheckProgramVersion();
  EXPECT_EQ(m_question.asked, (std::vector<std::string>{"1.0.2"}));
  EXPECT_TRUE(m_launcher.started.empty());
  EXPECT_EQ(m_host.ended, 0);
  EXPECT_EQ(m_host.marked, (std::vector<UpdateTarget>{UpdateTarget::kProgram}));

  // With nobody to ask, the answer is no.
  UpdateJobs headless(m_state, {*m_client, m_launcher, m_host}, m_data.path());
  EXPECT_EQ(headless.DownloadUpdate(UpdateTarget::kProgram), UpdateOutcome::kDeclined);
  EXPECT_TRUE(m_launcher.started.empty());
}

TEST_F(UpdateJobsTest, PublishedChecksumMustMatchTheArchive) {
  const std::string archive = ProgramArchive("1.0.2");
  struct Case {
    const char* what;
    std::string checksum_file;  // empty: the server has none
    std::string status;         // without a file: the server's answer, empty for 404
    UpdateOutcome outcome;
  };
  const Case cases[] = {
      {"no checksum on the server", "", "", UpdateOutcome::kStarted},
      {"checksum gone for good", "", "410", UpdateOutcome::kStarted},
      {"server error on the checksum", "", "500", UpdateOutcome::kChecksumUnavailable},
      {"forbidden checksum", "", "403", UpdateOutcome::kChecksumUnavailable},
      {"connection closed without a reply", "", "reset", UpdateOutcome::kChecksumUnavailable},
      {"sha256sum output", Sha256Of(archive) + "  Keyboard-Software-1.0.2.zip\n", "",
       UpdateOutcome::kStarted},
      {"wrong digest", Sha256Of("something else") + "\n", "", UpdateOutcome::kChecksumMismatch},
      {"not a digest", "<html>error</html>", "", UpdateOutcome::kChecksumMismatch},
  };
  const std::string checksum = "soft/Keyboard-Software-1.0.2.zip.sha256";
  m_state.SetLatestVersion(UpdateTarget::kProgram, "1.0.2");
  m_server.Put("soft/Keyboard-Software-1.0.2.zip", archive);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    m_launcher.started.clear();
    fs::remove(m_server.Root() + "/" + checksum);
    fs::remove(m_server.Root() + "/" + checksum + ".status");
    if (!c.checksum_file.empty()) m_server.Put(checksum, c.checksum_file);
    if (!c.status.empty()) m_server.Put(checksum + ".status", c.status);
    EXPECT_EQ(Jobs().DownloadUpdate(UpdateTarget::kProgram), c.outcome);
    EXPECT_EQ(m_launcher.started.empty(), c.outcome != UpdateOutcome::kStarted);
    EXPECT_FALSE(fs::exists(Temp("Keyboard-Software-1.0.2.zip")));
  }
}

TEST_F(UpdateJobsTest, HostileArchiveUnpacksInsideTheUpdateFolder) {
  m_state.SetLatestVersion(UpdateTarget::kProgram, "1.0.2");
  m_server.Put(
      "soft/Keyboard-Software-1.0.2.zip",
      ProgramArchive("1.0.2", {ZipEntrySpec("..\\..\\x.exe", "x"), ZipEntrySpec("C:\\y.dll", "y"),
                               ZipEntrySpec("evil", "/etc").UnixMode(S_IFLNK | 0777)}));
  EXPECT_EQ(Jobs().DownloadUpdate(UpdateTarget::kProgram), UpdateOutcome::kStarted);
  EXPECT_TRUE(fs::is_regular_file(Temp("x.exe")));
  EXPECT_TRUE(fs::is_regular_file(Temp("y.dll")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(Temp("evil"))));
  std::set<std::string> beside;
  for (const auto& entry : fs::directory_iterator(m_data.path())) {
    beside.insert(entry.path().filename());
  }
  EXPECT_EQ(beside, (std::set<std::string>{"temp"}));
}

TEST_F(UpdateJobsTest, RefusedOrIncompleteDownloadsStartNothing) {
  m_state.SetLatestVersion(UpdateTarget::kProgram, "1.0.2");
  const std::string exe = Temp("Keyboard-Software-1.0.2.exe");
  struct Case {
    const char* what;
    std::string archive;  // empty: not on the server
    UpdateOutcome outcome;
  };
  const Case cases[] = {
      {"archive missing on the server", "", UpdateOutcome::kDownloadFailed},
      {"a zip bomb", ProgramArchive("1.0.2", {ZipEntrySpec("bomb", std::string(3 << 20, '\0'))}),
       UpdateOutcome::kArchiveRefused},
      {"not a zip", "<html>Not here</html>", UpdateOutcome::kNothingToStart},
      {"no program inside", ZipBytes({ZipEntrySpec("readme.txt", "hi")}),
       UpdateOutcome::kNothingToStart},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(m_server.Root() + "/soft/Keyboard-Software-1.0.2.zip");
    if (!c.archive.empty()) m_server.Put("soft/Keyboard-Software-1.0.2.zip", c.archive);
    // A program left from an earlier download is never the one started.
    fs::create_directories(Temp(""));
    std::ofstream(exe) << "stale";
    ExtractLimits limits;
    limits.max_total_bytes = 1 << 20;
    EXPECT_EQ(Jobs(limits).DownloadUpdate(UpdateTarget::kProgram), c.outcome);
    EXPECT_TRUE(m_launcher.started.empty());
    EXPECT_EQ(m_host.ended, 0);
    if (c.outcome != UpdateOutcome::kDownloadFailed) {
      EXPECT_FALSE(fs::exists(exe));
    }
  }
  // A transfer cut short leaves no partial archive behind.
  m_server.Put("soft/Keyboard-Software-1.0.3.zip", ProgramArchive("1.0.3"));
  m_state.SetProgramInfo("1.0.1", m_server.Url("truncate/soft/"));
  m_state.SetLatestVersion(UpdateTarget::kProgram, "1.0.3");
  EXPECT_EQ(Jobs().DownloadUpdate(UpdateTarget::kProgram), UpdateOutcome::kDownloadFailed);
  EXPECT_FALSE(fs::exists(Temp("Keyboard-Software-1.0.3.zip")));
}

TEST_F(UpdateJobsTest, AFailedStartKeepsTheProgramRunningWithItsButtonMarked) {
  m_server.Put("soft/version", "1.0.2");
  m_server.Put("soft/Keyboard-Software-1.0.2.zip", ProgramArchive("1.0.2"));
  m_launcher.succeed = false;
  Jobs().CheckProgramVersion();
  EXPECT_EQ(m_launcher.started.size(), 1u);
  EXPECT_EQ(m_host.ended, 0);
  EXPECT_EQ(m_host.marked, (std::vector<UpdateTarget>{UpdateTarget::kProgram}));
}

TEST_F(UpdateJobsTest, FirmwareCheckComparesTheHexDigitsAsADecimalNumber) {
  struct Case {
    int firmware;
    const char* reply;
    bool update;
  };
  const Case cases[] = {
      {0x0105, "106", true},
      {0x0105, "105", false},
      {-1, "106", false},  // the keyboard did not answer
      {0x0105, "1234567.901", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply);
    m_host = {};
    m_host.firmware_version = c.firmware;
    m_server.Put("fw/version", c.reply);
    Jobs().CheckFirmwareVersion();
    EXPECT_EQ(!m_host.marked.empty(), c.update);
    EXPECT_EQ(m_host.jobs, c.update ? std::vector<int>{15} : std::vector<int>{});
  }
  // A failed check clears what an earlier one found.
  EXPECT_EQ(m_state.LatestVersion(UpdateTarget::kFirmware), "");
  m_server.Put("fw/version", "106");
  Jobs().CheckFirmwareVersion();
  EXPECT_EQ(m_state.LatestVersion(UpdateTarget::kFirmware), "106");
  fs::remove(m_server.Root() + "/fw/version");
  Jobs().CheckFirmwareVersion();
  EXPECT_EQ(m_state.LatestVersion(UpdateTarget::kFirmware), "");
}

TEST_F(UpdateJobsTest, FirmwareDownloadStartsTheUpdateTool) {
  m_state.SetLatestVersion(UpdateTarget::kFirmware, "106");
  m_server.Put("fw/FirmwareUpdateTool-106.zip",
               ZipBytes({ZipEntrySpec("FirmwareUpdateTool-106.exe", "#!/bin/sh\n")}));
  UpdateJobs jobs = Jobs();
  EXPECT_TRUE(jobs.Run(UpdateJobs::kFirmwareDownloadJob));
  EXPECT_EQ(m_launcher.started, (std::vector<std::string>{Temp("FirmwareUpdateTool-106.exe")}));
  EXPECT_EQ(m_host.ended, 1);
  EXPECT_FALSE(jobs.Run(7));
}

}  // namespace
