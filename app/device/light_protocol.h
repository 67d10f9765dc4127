// LightProtocol: sends the lighting commands of both command families through
// the device manager, with their pauses, and remembers the one piece of state a
// run needs: whether the stream start report went out already.
#pragma once

#include <atomic>
#include <vector>

#include "device/hid_device_manager.h"
#include "device/light_commands.h"

class LightProtocol {
 public:
  explicit LightProtocol(HidDeviceManager& manager);

  // Job 7. Family 1 sends the mode select while `parameters_sent` is false and the
  // parameters once it is; family 2 sends the light command in the form of its
  // connection mode.
  void SendLightMode(int device_type, int connection_mode, const LightRow& light, int selected_slot,
                     bool parameters_sent);
  // Family 1, sent from the window thread when the custom slot box changes.
  void SendCustomSlotSelect(const LightRow& light, int selected_slot);
  // Job 8: the stored per-key colour set (GetKeyLights(128)) in 8 reports;
  // false when one failed (the rest are then not sent).
  bool UploadCustomColours(const std::vector<KeyLightRow>& colours, const LightIndexLookup& index);
  // The stream step: the start report once per run, then 6 stream reports;
  // false when a report could not be written.
  bool SendStreamFrame(const std::vector<KeyColour>& keys, const LightIndexLookup& index);
  // Family 2, from the audio callback: no pause.
  bool SendMusicLevel(int effect, int colour_index, std::uint8_t level);
  // Job 10. The caller refreshes the macro, profile and light lists afterwards.
  void Reset(int device_type, int connection_mode);

  bool StreamStarted() const { return m_stream_started; }

  static constexpr int kColourReportPauseMs = 1;
  static constexpr int kResetPauseMs = 100;
  static constexpr int kLongResetPauseMs = 1600;

 private:
  HidDeviceManager& m_manager;
  std::atomic<bool> m_stream_started{false};
};
