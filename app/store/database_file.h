// The profile database as a file: where it lives, and moving or deleting it together with the
// write-ahead log and shared-memory index SQLite keeps beside it.
#pragma once

#include <string>

namespace database_file {

// "<base>/db/<name>_data_v1.db"; the base folder may or may not end with a slash.
std::string PathFor(const std::string& base_folder, const std::string& database_name);

bool Exists(const std::string& path);

// Creates the folder that will hold the file; true when it exists afterwards.
bool EnsureFolder(const std::string& path);

// Moves the file and its log to "<path>.unreadable-<YYYYMMDD-HHMMSS>" (a number is added when that
// name is taken) so that nothing of it is lost; the new path, empty when the move failed.
std::string SetAside(const std::string& path);

// Deletes the file, its log and its index; true when none of them remains.
bool Remove(const std::string& path);

}  // namespace database_file
