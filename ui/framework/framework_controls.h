// Constructors of the controls the framework itself defines (tab strip, pages,
// menu items), the starting content of the factory's registry.
#pragma once

#include <map>
#include <string>

#include "QorUI/control_factory.h"

std::map<std::string, ControlCreator> FrameworkCreators();
