// An Environment made from a map, so tests choose the variables they need.
#pragma once

#include <map>
#include <string>

#include "platform/environment.h"

inline Environment FakeEnvironment(std::map<std::string, std::string> values) {
  return [values = std::move(values)](const char* name) -> std::optional<std::string> {
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  };
}
