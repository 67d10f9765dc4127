// Exported profile files: a profile's key assignments of layer 0 and every
// macro those keys use, written from and read into the profile store.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "store/profile_store.h"

namespace interchange {

// Writes the profile file of `profile`, shown in the list as `name`, to
// `path` (replacing it atomically). False when the file could not be written.
bool WriteProfileFile(ProfileStore& store, int profile, const std::string& name,
                      const std::string& path);

struct ImportedMacro {
  int macro_id = 0;
  std::string name;
};

struct ProfileImport {
  // The file loaded, parsed and has the root "profile"; otherwise nothing
  // was imported.
  bool readable = false;
  // The macros added, each with an id above 0, in file order.
  std::vector<ImportedMacro> macros;
  // The new profile; 0 when the store refused it.
  int profile = 0;
  std::string name;
  // Key rows the store took.
  int assignments = 0;
  // Some stored rows open a program, so the profile must be confirmed
  // before the first one starts.
  bool opens_programs = false;
};

// Imports the file at `path` as a new profile named after the file (see
// NameFromFileName), in two passes: first the macros, then the key rows.
// A macro is reused only when the store holds one with the file's name and
// id; any other is added as new, and the key rows that point at its file id
// are rewritten to the new id. A macro the file lists several times (it is
// written once per key that uses it) is added once.
ProfileImport ReadProfileFile(ProfileStore& store, const std::string& path);

}  // namespace interchange
