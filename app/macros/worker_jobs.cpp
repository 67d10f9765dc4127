// The program's job table.
#include "macros/worker_jobs.h"

#include "device/key_protocol.h"
#include "device/store_key_source.h"

namespace {

void ScanAndSetUp(const JobServices& s) {
  s.connection.RefreshDevices();
  s.connection.ApplyConnection();
}

void SendKeyMap(const JobServices& s) {
  StoreKeyCommandSource source(s.store, s.host.Layout(), s.host.CurrentProfile(),
                               s.host.CurrentLayer());
  KeyProtocol(s.manager, source).DownloadKeys(s.host.DeviceType());
}

void SendLightMode(const JobServices& s) {
  const int profile = s.host.LightingProfile();
  LightRow row;
  if (!s.store.GetLight(profile, s.store.GetActiveLightMode(profile), row)) return;
  s.light.SendLightMode(s.host.DeviceType(), s.host.ConnectionMode(), row,
                        s.host.SelectedCustomSlot(), s.host.LightParametersSent());
  s.host.SetLightParametersSent();
}

void SendCustomColours(const JobServices& s) {
  std::vector<KeyLightRow> colours;
  s.store.GetKeyLights(ProfileStore::kCustomLightSet, colours);
  const KeyboardLayout& layout = s.host.Layout();
  s.light.UploadCustomColours(colours, [&layout](int key) { return layout.LedPositionOf(key); });
}

void ResetKeyboard(const JobServices& s) {
  s.light.Reset(s.host.DeviceType(), s.host.ConnectionMode());
  ReloadPages(s);
}

WorkerJob UpdateJob(const JobServices& s, int code, bool needs_keyboard) {
  return {[&s, code] {
            if (s.updates) s.updates->Run(code);
          },
          needs_keyboard};
}

}  // namespace

void ReloadPages(const JobServices& s) {
  const std::uint8_t flags = s.host.CapabilityFlags();
  if (flags & kPageMacros) s.host.ReloadMacroList();
  if (flags & kPageKeys) {
    s.host.ReloadProfileList();
    s.key_filter.Refresh(s.store, s.host.CurrentProfile(), s.host.CurrentLayer());
  }
  if (flags & kPageLighting) {
    s.host.ReloadLightList();
    s.host.LoadMusicLayer();
  }
}

JobTable BuildWorkerJobs(const JobServices& services) {
  const JobServices* s = &services;
  JobTable table;
  table.Set(kJobFirstSetup, {[s] {
                               ScanAndSetUp(*s);
                               s->host.StartMusic();
                             },
                             false, false, true});
  table.Set(kJobDeviceArrival, {[s] { ScanAndSetUp(*s); }, false});
  table.Set(kJobDeviceRemoval, {[s] { ScanAndSetUp(*s); }, false});
  table.Set(kJobReloadPages, {[s] { ReloadPages(*s); }});
  table.Set(kJobSendKeyMap, {[s] { SendKeyMap(*s); }, true, true});
  table.Set(kJobSendLightMode, {[s] { SendLightMode(*s); }, true, true});
  table.Set(kJobSendCustomColours, {[s] { SendCustomColours(*s); }, true, true});
  table.Set(kJobResetKeyboard, {[s] { ResetKeyboard(*s); }, true, true});
  table.Set(UpdateJobs::kProgramCheckJob, UpdateJob(services, UpdateJobs::kProgramCheckJob, false));
  for (int code : {UpdateJobs::kFirmwareCheckJob, UpdateJobs::kProgramDownloadJob,
                   UpdateJobs::kFirmwareDownloadJob}) {
    table.Set(code, UpdateJob(services, code, true));
  }
  return table;
}
