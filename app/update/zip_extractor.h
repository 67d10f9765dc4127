// Unpacking a whole zip archive into a folder with minizip, with the safety
// limits a downloaded archive needs.
#pragma once

#include <cstdint>
#include <string>

struct ExtractLimits {
  // Bytes written over all entries; an archive that unpacks to more is a bomb.
  std::uint64_t max_total_bytes = std::uint64_t{1} << 30;
  // Entries looked at, of any kind.
  std::uint32_t max_entries = 10000;
};

enum class ExtractStop {
  kNone,      // every entry was looked at
  kSizeCap,   // stopped when the bytes written reached max_total_bytes
  kEntryCap,  // stopped at the entry past max_entries
};

struct ExtractResult {
  bool opened = false;  // the archive could be opened
  ExtractStop stop = ExtractStop::kNone;
  int files = 0;        // files written whole
  int directories = 0;  // directory entries made
  int skipped = 0;      // symbolic links and names with nothing left after sanitising
  int failed = 0;       // entries that could not be read or written; the others go on

  // The archive opened and no limit was hit (single entries may have failed).
  bool Complete() const { return opened && stop == ExtractStop::kNone; }
};

// Unpacks every entry, in directory order, below `folder` (which must exist).
// Names are sanitised so they stay inside it; file times come from the
// entry (its DOS time as local time, or its extended timestamp field).
// A file cut off by the size cap is removed again.
ExtractResult ExtractAll(const std::string& archive_path, const std::string& folder,
                         const ExtractLimits& limits = {});
