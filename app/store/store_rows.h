// The row records ProfileStore exchanges with the rest of the program, one per table; fields follow
// the table's columns, text is UTF-8.
#pragma once

#include <string>

struct ProfileRow {
  int profile = 0;
  std::string name;
  std::string app;
  int type = 0;
  int status = 0;

  bool operator==(const ProfileRow&) const = default;
};

struct KeyAssignmentRow {
  int key_id = 0;
  int profile = 0;
  int fn_layer = 0;
  int key_code = 0;
  int layout_value = 0;
  std::string layout_desc;
  int macro_type = 0;
  int macro_value = 0;
  int macro_value2 = 0;
  int macro_value3 = 0;
  std::string macro_desc;

  bool operator==(const KeyAssignmentRow&) const = default;
};

struct LightRow {
  int light_id = 0;
  int profile = 0;
  std::string name;
  int mode = 0;
  int brightness = 0;
  int speed = 0;
  int direction = 0;
  int colorful = 0;
  int colorindex = 0;
  int color_value = 0;
  int config_func = 0;
  int reserved = 0;
  int status = 0;

  bool operator==(const LightRow&) const = default;
};

struct KeyLightRow {
  int keylight_id = 0;
  int profile = 0;
  int light_id = 0;
  int key_code = 0;
  int key_rgb = 0;

  bool operator==(const KeyLightRow&) const = default;
};

struct MusicLayerRow {
  int layer_id = 0;
  int profile = 0;
  std::string name;
  int deviceindex = 0;
  int foremode = 0;
  int fore_amplitude = 0;
  int backmode = 0;
  int backb_right = 0;

  bool operator==(const MusicLayerRow&) const = default;
};

struct MacroRow {
  int macro_id = 0;
  std::string name;
  int link_count = 0;
  int play_times = 0;
  int delay_type = 0;
  int delay_time = 0;

  bool operator==(const MacroRow&) const = default;
};

struct MacroRecordRow {
  int record_id = 0;
  int macro_id = 0;
  int type = 0;
  int record_index = 0;
  int value = 0;
  int delay_time = 0;
  std::string desc;

  bool operator==(const MacroRecordRow&) const = default;
};
