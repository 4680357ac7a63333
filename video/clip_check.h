// Why a clip could not be opened, told from the file itself: the missing-decoder
// question only helps when the file really is a video whose format nothing
// installed can decode; an empty, cut, text or sound-only file needs another word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

enum class ClipVerdict {
  kVideo,       // a video container with a video track (or one that cannot be looked into)
  kUnreadable,  // missing, a folder, or not open for reading
  kEmpty,       // no bytes at all
  kDamaged,     // a known container whose structure is cut short or broken
  kNoVideo,     // a known container without a video track
  kNotVideo,    // no video container this program knows
};

// Reads up to n bytes at offset into buf and returns how many it read.
using ReadAt = std::function<size_t(uint64_t offset, void* buf, size_t n)>;

// Looks at the container of a file of `size` bytes: MP4 and MOV boxes (down to
// the track handlers), AVI stream headers, MPEG transport and program streams.
ClipVerdict CheckClipFile(uint64_t size, const ReadAt& read);

// The sentence that says what is wrong with a file of that verdict ("" for kVideo).
const char* UnplayableReason(ClipVerdict verdict);
