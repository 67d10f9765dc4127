// The framework's own factory classes.
#include "framework/framework_controls.h"

std::map<std::string, ControlCreator> FrameworkCreators() {
  return {};
}
