// How long a clip is, as its container's own header says: the movie header of
// MP4 and MOV files (timescale and duration), the main header of AVI files
// (microseconds per frame times frames). Other files, and headers that are cut,
// zero or absurd, have no known length.
#pragma once

#include <cstdint>
#include <string>

#include "video/clip_check.h"

// Longer than any camera clip: a header claiming more is not believed.
constexpr double kMaxClipLengthSec = 7 * 24 * 3600.0;

// The length in seconds of a file of `size` bytes; false when unknown.
bool ReadClipLength(uint64_t size, const ReadAt& read, double& seconds);

// The same for a file on disk; false as well when it cannot be opened.
bool ReadClipLengthOfFile(const std::string& path, double& seconds);
