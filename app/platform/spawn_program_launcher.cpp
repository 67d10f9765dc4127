// Starts a program with GLib's spawn: the file itself is executed with no
// shell in between, so nothing in its path is ever interpreted.
#include <glib.h>

#include <memory>

#include "platform/program_launcher.h"

namespace {

class SpawnProgramLauncher final : public ProgramLauncher {
 public:
  bool Start(const std::string& program_path, const std::string& working_dir) override {
    gchar* argv[] = {const_cast<gchar*>(program_path.c_str()), nullptr};
    GError* error = nullptr;
    // Without DO_NOT_REAP_CHILD GLib detaches the child through an
    // intermediate process, so it never lingers as a zombie of ours, and the
    // child inherits none of our descriptors beyond the standard three.
    const gboolean started =
        g_spawn_async(working_dir.empty() ? nullptr : working_dir.c_str(), argv, nullptr,
                      G_SPAWN_DEFAULT, nullptr, nullptr, nullptr, &error);
    g_clear_error(&error);
    return started;
  }
};

}  // namespace

std::unique_ptr<ProgramLauncher> MakeSpawnProgramLauncher() {
  return std::make_unique<SpawnProgramLauncher>();
}
