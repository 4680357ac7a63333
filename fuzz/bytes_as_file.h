// The fuzzers' input as a file that the container readers read at offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "video/clip_check.h"

inline ReadAt BytesAsFile(const uint8_t* data, size_t size) {
  return [data, size](uint64_t offset, void* buf, size_t n) -> size_t {
    if (offset >= size) return 0;
    const size_t got = n < size - offset ? n : static_cast<size_t>(size - offset);
    std::memcpy(buf, data + offset, got);
    return got;
  };
}
