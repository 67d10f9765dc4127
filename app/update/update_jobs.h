// The four update jobs of the worker queue: the program and firmware version
// checks and the two downloads, which unpack the archive and, once the user
// agreed, start the program inside it and end this one.
#pragma once

#include <string>

#include "platform/http_client.h"
#include "platform/program_launcher.h"
#include "update/downloader.h"
#include "update/update_host.h"
#include "update/update_state.h"
#include "update/zip_extractor.h"

// How a download ended.
enum class UpdateOutcome {
  kNoVersion,            // no check has given a version to download
  kDownloadFailed,       // the transfer failed or was stopped; nothing is kept
  kChecksumMismatch,     // the server's .sha256 does not match or is no sha256sum line;
                         // the archive is deleted
  kChecksumUnavailable,  // the .sha256 could not be fetched (only a 404 or 410 means
                         // the server has none); the archive is deleted
  kArchiveRefused,       // the archive hit the unpacking limits; nothing is started
  kNothingToStart,       // the archive holds no program of the expected name
  kDeclined,             // the user said no (or there was nobody to ask)
  kStartFailed,          // the program could not be started
  kStarted,              // the program runs and this one was asked to end
};

class UpdateJobs {
 public:
  static constexpr int kProgramCheckJob = 12;
  static constexpr int kFirmwareCheckJob = 13;
  static constexpr int kProgramDownloadJob = 14;
  static constexpr int kFirmwareDownloadJob = 15;

  // What the jobs reach besides their own state; `question` and `progress`
  // may be null.
  struct Services {
    HttpClient& client;
    ProgramLauncher& launcher;
    UpdateHost& host;
    StartQuestion* question = nullptr;
    ProgressSink* progress = nullptr;
  };

  // Downloads go below `data_directory`.
  UpdateJobs(UpdateState& state, const Services& services, std::string data_directory,
             ExtractLimits limits = {});

  // Runs job `code` when it is one of the four; false for any other code.
  bool Run(int code);

  // Job 12: a newer (or differently numbered) program version is downloaded
  // at once; when that returns, the program update button is marked.
  void CheckProgramVersion();
  // Job 13: a newer firmware marks its button and queues job 15.
  void CheckFirmwareVersion();
  // Jobs 14 and 15.
  UpdateOutcome DownloadUpdate(UpdateTarget target);

  Downloader& GetDownloader() { return m_downloader; }

 private:
  // The accepted reply of `target`'s version query, or empty.
  std::string FetchVersion(UpdateTarget target);
  enum class ChecksumCheck { kPassed, kMismatch, kUnavailable };
  // Passed when the published checksum matches or the server has none.
  ChecksumCheck CheckChecksum(const std::string& download_link, const std::string& archive_path);
  UpdateOutcome StartExecutable(UpdateTarget target, const std::string& version,
                                const std::string& folder, const std::string& executable);

  UpdateState& m_state;
  Downloader m_downloader;
  ProgramLauncher& m_launcher;
  UpdateHost& m_host;
  StartQuestion* m_question;
  ProgressSink* m_progress;
  std::string m_data_directory;
  ExtractLimits m_limits;
};
