// The library's embedded resources (scroll-bar images), by resource id.
#pragma once

#include <cstddef>

struct ResourceBytes {
  const unsigned char* data;
  std::size_t size;
};

// {nullptr, 0} for an unknown id.
ResourceBytes LibraryResource(unsigned id);
