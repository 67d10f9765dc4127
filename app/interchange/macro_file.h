// Exported macro files: one macro's playback settings and records.
#pragma once

#include <string>

#include "store/profile_store.h"

namespace interchange {

// Writes the file of macro `macro_id` to `path` (replacing it atomically).
// False when the macro does not exist or the file could not be written.
bool WriteMacroFile(ProfileStore& store, int macro_id, const std::string& path);

struct MacroImport {
  // The file loaded, parsed and has the root "macro"; otherwise nothing was
  // imported.
  bool readable = false;
  // The new macro, named after the file; 0 when the store refused it.
  int macro_id = 0;
  std::string name;
  int records = 0;
};

// Always adds a new macro, named after the file (see NameFromFileName).
MacroImport ReadMacroFile(ProfileStore& store, const std::string& path);

}  // namespace interchange
