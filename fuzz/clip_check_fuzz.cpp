// Feeds arbitrary bytes to the clip container check as if they were a file. Any
// crash, read outside the bytes, hang or UB is a finding.
#include <cstddef>
#include <cstdint>

#include "fuzz/bytes_as_file.h"
#include "video/clip_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ReadAt read = BytesAsFile(data, size);
  const ClipVerdict verdict = CheckClipFile(size, read);
  // A file that claims more bytes than it has must never read past the real ones.
  CheckClipFile(static_cast<uint64_t>(size) * 3 + 1, read);
  return UnplayableReason(verdict) == nullptr;
}
