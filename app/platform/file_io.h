// Whole-file reads and crash-safe whole-file writes: the only way the program
// replaces a file it owns, so a crash mid-write never leaves half a file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class FileReadStatus { kOk, kMissing, kTooLarge, kFailed };

// Reads the whole file into `bytes`. Files above `max_bytes` are refused
// rather than read, so a stray huge file cannot exhaust memory.
FileReadStatus ReadWholeFile(const std::string& path, std::size_t max_bytes, std::string& bytes);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`. The old file stays untouched when any step fails.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);
