// The SHA-256 check of a downloaded archive against the "<archive>.sha256"
// file the update server may offer beside it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The digest named by a checksum file, in lower case: its first word must be
// 64 hex digits (what sha256sum writes, optionally followed by a file name).
std::optional<std::string> ParseChecksumFile(std::string_view text);

// The SHA-256 of a file's contents in lower-case hex, or nothing when the
// file cannot be read.
std::optional<std::string> FileSha256(const std::string& path);
