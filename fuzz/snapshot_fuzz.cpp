// Arbitrary bytes as what a snapshot reads: a sidecar cut into second blocks,
// and a frame returned by a renderer (its file header and an RGB copy). Any
// crash, read outside the bytes, hang or UB is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "video/frame_rgb.h"
#include "video/second_block.h"
#include "video/snapshot_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string block;
  const int64_t length = size > 0 ? data[0] : 0;
  for (int64_t second : {int64_t{0}, length / 2, length - 1, length, length + 1})
    ExtractSecondBlock(text, length, second, block);
  BmpFileHeader(data, size);
  YuvFrameToRgb24(data, size);
  return 0;
}
