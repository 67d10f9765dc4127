// The fixed names of the two kinds of update: archives, executables, the
// links they are fetched from and where they land on disk.
#pragma once

#include <string>

enum class UpdateTarget { kProgram, kFirmware };

// "Keyboard-Software-<version>.zip" or "FirmwareUpdateTool-<version>.zip".
std::string ArchiveName(UpdateTarget target, const std::string& version);
// The same names ending in ".exe": the file started from the archive.
std::string ExecutableName(UpdateTarget target, const std::string& version);

// The configured links end with a separator; the query is appended directly.
std::string VersionQueryLink(const std::string& link);
// Link and archive name joined by "//", whatever the link ends with.
std::string DownloadLink(const std::string& link, const std::string& archive_name);
// Beside the archive on the server.
std::string ChecksumLink(const std::string& download_link);

// "<data directory>/temp/" and a file inside it.
std::string LocalUpdateFolder(const std::string& data_directory);
std::string LocalUpdateFile(const std::string& data_directory, const std::string& file_name);
