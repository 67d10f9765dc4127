// The job table of the program as it stands: device scan and set-up through the device link, the
// key map download, the light mode, the custom colours, the reset, the page reloads and the update
// jobs. What a job needs from the main window and from pages that other parts of the program
// provide comes through JobHost.
#pragma once

#include <cstdint>

#include "device/device_connection.h"
#include "device/hid_device_manager.h"
#include "device/light_protocol.h"
#include "keys/keyboard_layout.h"
#include "macros/job_table.h"
#include "store/profile_store.h"
#include "update/update_jobs.h"
#include "vkeyboard/key_filter.h"

// Called on the worker thread. The state getters read values the window keeps thread-safe; the
// page operations run on the window thread and return once done.
class JobHost {
 public:
  virtual ~JobHost() = default;

  virtual int DeviceType() = 0;
  virtual int ConnectionMode() = 0;
  virtual int CurrentProfile() = 0;
  virtual int CurrentLayer() = 0;
  virtual int LightingProfile() = 0;
  virtual std::uint8_t CapabilityFlags() = 0;
  virtual const KeyboardLayout& Layout() = 0;

  // Job 1: starts the music capture and clears the music-active flag.
  virtual void StartMusic() = 0;
  virtual void ReloadMacroList() = 0;
  virtual void ReloadProfileList() = 0;
  virtual void ReloadLightList() = 0;
  virtual void LoadMusicLayer() = 0;
  // The lighting page's custom slot (0-2) and its parameters-sent flag, which the light mode
  // job reads and then sets.
  virtual int SelectedCustomSlot() = 0;
  virtual bool LightParametersSent() = 0;
  virtual void SetLightParametersSent() = 0;
};

struct JobServices {
  ProfileStore& store;
  DeviceConnection& connection;
  HidDeviceManager& manager;
  LightProtocol& light;
  KeyFilter& key_filter;
  JobHost& host;
  // Null while the program has no update jobs; codes 12 to 15 then do nothing.
  UpdateJobs* updates = nullptr;
};

// The entries keep a reference to `services`, which must outlive the table.
JobTable BuildWorkerJobs(const JobServices& services);

// Job 5 (and the reload after a reset): by the capability flags, 0x02 the macro list, 0x01 the
// profile list and the key filter table, 0x04 the light list and the music layer.
void ReloadPages(const JobServices& services);
