// Turning the name stored in a zip entry into a relative path that always
// stays inside the folder being unpacked into.
#pragma once

#include <string>
#include <string_view>

// Repeats until nothing changes: drops a leading drive ("X:"), a leading "\"
// or "/", and everything up to and including any of "\..\", "\../", "/../"
// and "/..\". Then splits at both kinds of separator and drops empty, "."
// and ".." parts, so "../x" or a lone ".." cannot climb out either. The
// result uses "/" and is empty when nothing is left of the name.
std::string SanitiseEntryName(std::string_view stored_name);

// The stored name as UTF-8: kept when it already is valid UTF-8 (as the
// entry's language flag promises, and as most tools write today), otherwise
// read as code page 437, the zip format's original character set.
std::string EntryNameToUtf8(std::string_view stored_name);
