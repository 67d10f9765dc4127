// Fuzzes the unpacking of downloaded archives: any bytes as the archive,
// unpacked under small limits, and nothing may ever appear outside the
// folder given.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "update/zip_extractor.h"

namespace fs = std::filesystem;

namespace {

struct Scratch {
  Scratch() {
    char pattern[] = "/tmp/extract-fuzz-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    root = pattern;
    archive = root / "archive.zip";
    folder = root / "out";
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  fs::path root, archive, folder;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Scratch scratch;
  std::error_code ignored;
  fs::remove_all(scratch.folder, ignored);
  fs::create_directory(scratch.folder);
  std::ofstream(scratch.archive, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  ExtractLimits limits;
  limits.max_total_bytes = 4 << 20;
  limits.max_entries = 256;
  ExtractAll(scratch.archive.string(), scratch.folder.string(), limits);

  // The scratch root holds the archive and the folder, and nothing else.
  for (const fs::directory_entry& entry : fs::directory_iterator(scratch.root)) {
    if (entry.path() != scratch.archive && entry.path() != scratch.folder) std::abort();
  }
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(scratch.folder)) {
    if (entry.is_symlink()) std::abort();
  }
  return 0;
}
