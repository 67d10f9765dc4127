// The update names, built exactly as the server and the archives use them.
#include "update/update_names.h"

namespace {

const char* Stem(UpdateTarget target) {
  return target == UpdateTarget::kProgram ? "Keyboard-Software-" : "FirmwareUpdateTool-";
}

}  // namespace

std::string ArchiveName(UpdateTarget target, const std::string& version) {
  return Stem(target) + version + ".zip";
}

std::string ExecutableName(UpdateTarget target, const std::string& version) {
  return Stem(target) + version + ".exe";
}

std::string VersionQueryLink(const std::string& link) {
  return link + "version";
}

std::string DownloadLink(const std::string& link, const std::string& archive_name) {
  return link + "//" + archive_name;
}

std::string ChecksumLink(const std::string& download_link) {
  return download_link + ".sha256";
}

std::string LocalUpdateFolder(const std::string& data_directory) {
  std::string folder = data_directory;
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder + "temp/";
}

std::string LocalUpdateFile(const std::string& data_directory, const std::string& file_name) {
  return LocalUpdateFolder(data_directory) + file_name;
}
