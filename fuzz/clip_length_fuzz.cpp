// Feeds arbitrary bytes to the container length reader as if they were a file.
// Any crash, read outside the bytes, hang or UB is a finding, and so is a
// length that is not a believable one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/bytes_as_file.h"
#include "video/clip_length.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ReadAt read = BytesAsFile(data, size);
  double seconds = 0;
  if (ReadClipLength(size, read, seconds) && !(seconds > 0 && seconds <= kMaxClipLengthSec))
    std::abort();
  // A file that claims more bytes than it has must never read past the real ones.
  ReadClipLength(static_cast<uint64_t>(size) * 3 + 1, read, seconds);
  return 0;
}
