// The keyboard models and connection modes config.xml lists: one
// KeyboardModel per `keyboard` element, one KeyboardMode per `mode` element.
#pragma once

#include <string>

struct KeyboardModel {
  // Also the stem of the model's profile database file.
  std::string name;
  // Up to 200: command family 1; 201 to 299: command family 2.
  int device_type = 0;
  // Attribute `device_info`: the stem of "layouts/<layout_name>.xml".
  std::string layout_name;
  // Always 0 in a model record; set in a mode record.
  int vendor_id = 0;
  int product_id = 0;
};

// A mode carries the fields of its model; `name` holds the mode's product
// name in place of the model name (empty when the mode has none, which
// accepts any product name).
struct KeyboardMode : KeyboardModel {
  // Attribute `value`: 0, 1 or 2.
  int connection_mode = 0;
  std::string description;
  // Attribute `hid_interface`: a substring of the upper-cased udev syspath.
  std::string interface_pattern;
  // Set and cleared by the device refresh; 0 at load.
  int present = 0;
};
