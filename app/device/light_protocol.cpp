// The paced lighting sends.
#include "device/light_protocol.h"

#include "device/command_family.h"

LightProtocol::LightProtocol(HidDeviceManager& manager) : m_manager(manager) {}

void LightProtocol::SendLightMode(int device_type, int connection_mode, const LightRow& light,
                                  int selected_slot, bool parameters_sent) {
  switch (CommandFamilyOf(device_type)) {
    case CommandFamily::kFamily1:
      m_manager.SendReport(parameters_sent ? BuildModeParametersReport(light)
                                           : BuildModeSelectReport(light));
      break;
    case CommandFamily::kFamily2:
      if (connection_mode == 0) {
        m_manager.SendFeature(BuildFamily2LightFeature(light, selected_slot));
      } else {
        m_manager.SendLongReport(BuildFamily2LightLong(light, selected_slot));
      }
      break;
    case CommandFamily::kNone:
      break;
  }
}

void LightProtocol::SendCustomSlotSelect(const LightRow& light, int selected_slot) {
  m_manager.SendFeature(BuildCustomSlotSelectReport(light, selected_slot));
}

bool LightProtocol::UploadCustomColours(const std::vector<KeyLightRow>& colours,
                                        const LightIndexLookup& index) {
  std::vector<KeyColour> keys;
  for (const KeyLightRow& c : colours)
    keys.push_back({c.key_code, static_cast<COLORREF>(c.key_rgb)});
  const ColourBuffer buffer = FillUploadBuffer(keys, index);
  Clock& clock = m_manager.GetClock();
  for (const OutputReport& report : SplitUploadBuffer(buffer)) {
    clock.SleepMs(kColourReportPauseMs);
    if (!m_manager.SendReport(report)) return false;
  }
  return true;
}

bool LightProtocol::SendStreamFrame(const std::vector<KeyColour>& keys,
                                    const LightIndexLookup& index) {
  // Marked only once it went out, so a frame sent before any keyboard was
  // attached does not use up the run's one start report.
  if (!m_stream_started && m_manager.SendReport(BuildStreamStartReport())) {
    m_stream_started = true;
  }
  const ColourBuffer buffer = FillStreamBuffer(keys, index);
  Clock& clock = m_manager.GetClock();
  for (const OutputReport& report : SplitStreamBuffer(buffer)) {
    clock.SleepMs(kColourReportPauseMs);
    if (!m_manager.SendAuxReport(report)) return false;
  }
  return true;
}

bool LightProtocol::SendMusicLevel(int effect, int colour_index, std::uint8_t level) {
  return m_manager.SendFeatureNow(BuildMusicLevelReport(effect, colour_index, level));
}

void LightProtocol::Reset(int device_type, int connection_mode) {
  Clock& clock = m_manager.GetClock();
  switch (CommandFamilyOf(device_type)) {
    case CommandFamily::kFamily1:
      m_manager.SendReport(BuildFamily1ResetReport());
      clock.SleepMs(kResetPauseMs);
      break;
    case CommandFamily::kFamily2:
      if (connection_mode == 0) {
        m_manager.SendFeature(BuildFamily2ResetFeature());
        clock.SleepMs(kResetPauseMs);
      } else {
        m_manager.SendLongReport(BuildFamily2ResetLong(true));
        clock.SleepMs(kLongResetPauseMs);
        m_manager.SendLongReport(BuildFamily2ResetLong(false));
      }
      break;
    case CommandFamily::kNone:
      break;
  }
}
