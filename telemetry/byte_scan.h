// Inline byte search for short ranges (fields and lines of a few dozen bytes),
// eight bytes at a time, without the call overhead of a library search.
#pragma once

#include <cstdint>
#include <cstring>

namespace bytescan {

// High bit set in every byte of w that is zero, and nowhere else.
inline uint64_t ZeroBytes(uint64_t w) {
  const uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
  return ~(((w & low7) + low7) | w | low7);
}

// Index of the lowest set bit of a non-zero value.
inline unsigned LowestBit(uint64_t m) {
  static const unsigned char kDeBruijn[64] = {
      0,  1,  48, 2,  57, 49, 28, 3,  61, 58, 50, 42, 38, 29, 17, 4,  62, 55, 59, 36, 53, 51,
      43, 22, 45, 39, 33, 30, 24, 18, 12, 5,  63, 47, 56, 27, 60, 41, 37, 16, 54, 35, 52, 21,
      44, 32, 23, 11, 46, 26, 40, 15, 34, 20, 31, 10, 25, 14, 19, 9,  13, 8,  7,  6};
  return kDeBruijn[((m & (~m + 1)) * 0x03F79D71B4CB0A89ULL) >> 58];
}

inline uint64_t Load8(const char* p) {
  uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

inline bool LittleEndian() {
  const uint16_t probe = 1;
  unsigned char first;
  std::memcpy(&first, &probe, 1);
  return first == 1;
}

// Position of the first byte of a word that is zero in `zeros`.
inline unsigned FirstByte(uint64_t zeros) {
  if (LittleEndian()) return LowestBit(zeros) / 8;
  for (unsigned i = 0; i < 8; ++i)  // big-endian: the byte that comes first in memory
    if ((zeros >> (56 - 8 * i)) & 0x80) return i;
  return 8;
}

inline uint64_t Broadcast(char c) { return 0x0101010101010101ULL * static_cast<unsigned char>(c); }

// First c in [p, end), or end.
inline const char* Find(const char* p, const char* end, char c) {
  const uint64_t pattern = Broadcast(c);
  for (; end - p >= 8; p += 8) {
    uint64_t zeros = ZeroBytes(Load8(p) ^ pattern);
    if (zeros != 0) return p + FirstByte(zeros);
  }
  while (p != end && *p != c) ++p;
  return p;
}

}  // namespace bytescan
