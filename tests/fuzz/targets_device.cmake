# The device link's fuzz target: HID replies and the firmware model.
tervane_fuzz_target(hid_replies_fuzz SEEDS device_fuzz
  SOURCES tests/fuzz/hid_replies_fuzz.cpp
          app/device/hid_device_manager.cpp app/device/hid_trace.cpp app/device/clock.cpp
          app/device/key_commands.cpp app/device/key_protocol.cpp app/keys/virtual_key.cpp
          sim/keyboard_firmware.cpp)
