// Fuzzes the readers of imported profile and macro files: any bytes as the
// file, read into a real profile database that is started afresh now and
// then so it stays small.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "interchange/macro_file.h"
#include "interchange/profile_file.h"
#include "store/profile_store.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRunsPerDatabase = 500;

struct Scratch {
  Scratch() {
    char pattern[] = "/tmp/import-fuzz-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    root = pattern;
    file = root / "fuzzed.profile.xml";
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  fs::path root, file;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const Scratch scratch;
  static ProfileStore store;
  static int runs = 0;
  if (runs++ % kRunsPerDatabase == 0) {
    store.DeleteDatabaseFile(scratch.root.string(), "fuzz");
    if (!store.OpenForDevice(scratch.root.string(), "fuzz")) std::abort();
  }
  std::ofstream(scratch.file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  const interchange::ProfileImport profile = interchange::ReadProfileFile(store, scratch.file);
  if (!profile.readable && (profile.profile != 0 || !profile.macros.empty())) std::abort();
  const interchange::MacroImport macro = interchange::ReadMacroFile(store, scratch.file);
  if (!macro.readable && macro.macro_id != 0) std::abort();
  return 0;
}
