// The update jobs. A downloaded program is only started after the user's yes; an
// archive that fails its published checksum or the unpacking limits is
// thrown away, and a program left over from an earlier download is never the
// one started.
#include "update/update_jobs.h"

#include <sys/stat.h>
#include <unistd.h>

#include "QorUI/text.h"
#include "shell/paths.h"
#include "update/archive_checksum.h"
#include "update/version_text.h"

UpdateJobs::UpdateJobs(UpdateState& state, const Services& services, std::string data_directory,
                       ExtractLimits limits)
    : m_state(state),
      m_downloader(services.client),
      m_launcher(services.launcher),
      m_host(services.host),
      m_question(services.question),
      m_progress(services.progress),
      m_data_directory(std::move(data_directory)),
      m_limits(limits) {}

bool UpdateJobs::Run(int code) {
  switch (code) {
    case kProgramCheckJob:
      CheckProgramVersion();
      return true;
    case kFirmwareCheckJob:
      CheckFirmwareVersion();
      return true;
    case kProgramDownloadJob:
      DownloadUpdate(UpdateTarget::kProgram);
      return true;
    case kFirmwareDownloadJob:
      DownloadUpdate(UpdateTarget::kFirmware);
      return true;
    default:
      return false;
  }
}

std::string UpdateJobs::FetchVersion(UpdateTarget target) {
  const std::string link = m_state.Link(target);
  // An unset link would turn the query into a bare host name.
  if (link.empty()) return {};
  const FetchedText reply = m_downloader.FetchText(VersionQueryLink(link));
  if (reply.code != kTransferDone) return {};
  return AcceptVersionReply(reply.text).value_or(std::string());
}

void UpdateJobs::CheckProgramVersion() {
  const std::string latest = FetchVersion(UpdateTarget::kProgram);
  if (latest.empty()) return;
  m_state.SetLatestVersion(UpdateTarget::kProgram, latest);
  const int order = CompareVersions(m_state.CurrentVersion(), latest);
  if (order != 1 && order != 2) return;
  if (DownloadUpdate(UpdateTarget::kProgram) != UpdateOutcome::kStarted) {
    m_host.MarkUpdateAvailable(UpdateTarget::kProgram);
  }
}

void UpdateJobs::CheckFirmwareVersion() {
  m_state.SetLatestVersion(UpdateTarget::kFirmware, {});
  const std::string latest = FetchVersion(UpdateTarget::kFirmware);
  if (latest.empty()) return;
  m_state.SetLatestVersion(UpdateTarget::kFirmware, latest);
  const int firmware = m_host.ReadFirmwareVersion();
  if (firmware < 0) return;
  if (FirmwareVersionAsDecimal(firmware) < text::ParseDecimal(latest)) {
    m_host.MarkUpdateAvailable(UpdateTarget::kFirmware);
    m_host.EnqueueJob(kFirmwareDownloadJob);
  }
}

UpdateJobs::ChecksumCheck UpdateJobs::CheckChecksum(const std::string& download_link,
                                                    const std::string& archive_path) {
  const FetchedText published = m_downloader.FetchText(ChecksumLink(download_link));
  // Only the server saying there is none leaves nothing to hold the archive
  // against; a timeout or a broken link may be hiding a checksum that fails.
  if (published.not_found) return ChecksumCheck::kPassed;
  if (published.code != kTransferDone) return ChecksumCheck::kUnavailable;
  const std::optional<std::string> expected = ParseChecksumFile(published.text);
  const std::optional<std::string> actual = FileSha256(archive_path);
  return expected && actual && *expected == *actual ? ChecksumCheck::kPassed
                                                    : ChecksumCheck::kMismatch;
}

UpdateOutcome UpdateJobs::DownloadUpdate(UpdateTarget target) {
  const std::string version = m_state.LatestVersion(target);
  const std::string link = m_state.Link(target);
  if (version.empty() || link.empty()) return UpdateOutcome::kNoVersion;

  const std::string archive_name = ArchiveName(target, version);
  const std::string download_link = DownloadLink(link, archive_name);
  const std::string folder = LocalUpdateFolder(m_data_directory);
  const std::string archive = LocalUpdateFile(m_data_directory, archive_name);
  const std::string executable = LocalUpdateFile(m_data_directory, ExecutableName(target, version));
  EnsureDirectory(folder);
  ::unlink(archive.c_str());

  // A partial archive is no archive: it is never unpacked.
  if (m_downloader.DownloadFile(download_link, archive, m_progress) != kTransferDone ||
      ::access(archive.c_str(), F_OK) != 0) {
    ::unlink(archive.c_str());
    return UpdateOutcome::kDownloadFailed;
  }
  switch (CheckChecksum(download_link, archive)) {
    case ChecksumCheck::kPassed:
      break;
    case ChecksumCheck::kMismatch:
      ::unlink(archive.c_str());
      return UpdateOutcome::kChecksumMismatch;
    case ChecksumCheck::kUnavailable:
      ::unlink(archive.c_str());
      return UpdateOutcome::kChecksumUnavailable;
  }

  // Only what this archive holds may be started.
  ::unlink(executable.c_str());
  const ExtractResult extracted = ExtractAll(archive, folder, m_limits);
  if (extracted.stop != ExtractStop::kNone) {
    ::unlink(archive.c_str());
    ::unlink(executable.c_str());
    return UpdateOutcome::kArchiveRefused;
  }
  if (extracted.Complete()) ::unlink(archive.c_str());
  return StartExecutable(target, version, folder, executable);
}

UpdateOutcome UpdateJobs::StartExecutable(UpdateTarget target, const std::string& version,
                                          const std::string& folder,
                                          const std::string& executable) {
  struct stat st {};
  if (::lstat(executable.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    return UpdateOutcome::kNothingToStart;
  }
  if (!m_question || !m_question->ConfirmStart(target, version)) return UpdateOutcome::kDeclined;
  // Archives made on other systems carry no execute permission.
  ::chmod(executable.c_str(), (st.st_mode & 0777) | S_IXUSR);
  if (!m_launcher.Start(executable, folder)) return UpdateOutcome::kStartFailed;
  m_host.EndProgram();
  return UpdateOutcome::kStarted;
}
