#include "video/clip_length.h"

#include <cstring>
#include <fstream>

namespace {

// A movie header stands near the start or the end of a file, among a few
// dozen boxes; walks that need more are given up.
constexpr int kMaxSteps = 4096;
// An AVI file's header list is read at most this far.
constexpr uint64_t kMaxAviHeader = 1 << 20;

uint32_t Be32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

uint64_t Be64(const unsigned char* p) { return (uint64_t{Be32(p)} << 32) | Be32(p + 4); }

uint32_t Le32(const unsigned char* p) {
  return (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
}

bool Believable(double seconds) { return seconds > 0 && seconds <= kMaxClipLengthSec; }

// One box or chunk: where its contents start and end, and its four-letter type.
struct Span {
  uint64_t payload = 0;
  uint64_t end = 0;
  char type[5] = {};
};

class Walker {
 public:
  explicit Walker(const ReadAt& read) : read(read) {}

  // The MP4 box at `offset` inside a parent ending at `limit`.
  bool Box(uint64_t offset, uint64_t limit, Span& box) {
    if (++steps > kMaxSteps || offset >= limit || limit - offset < 8) return false;
    unsigned char head[16];
    if (read(offset, head, 8) != 8) return false;
    uint64_t length = Be32(head), header = 8;
    if (length == 1) {
      if (limit - offset < 16 || read(offset + 8, head + 8, 8) != 8) return false;
      length = Be64(head + 8);
      header = 16;
    } else if (length == 0) {
      length = limit - offset;
    }
    if (length < header || length > limit - offset) return false;
    return Fill(box, head + 4, offset + header, offset + length);
  }

  // The RIFF chunk at `offset`: a word-aligned size after its id, little-endian.
  bool Chunk(uint64_t offset, uint64_t limit, Span& chunk) {
    if (++steps > kMaxSteps || offset >= limit || limit - offset < 8) return false;
    unsigned char head[8];
    if (read(offset, head, 8) != 8) return false;
    const uint64_t length = Le32(head + 4);
    if (length > limit - offset - 8) return false;
    return Fill(chunk, head, offset + 8, offset + 8 + length);
  }

  // The first child of that type below `parent` from `from`: RIFF chunks
  // (padded to even sizes) or MP4 boxes.
  bool Find(const Span& parent, uint64_t from, const char* type, bool riff, Span& found) {
    for (uint64_t at = from; at < parent.end;) {
      if (!(riff ? Chunk(at, parent.end, found) : Box(at, parent.end, found))) return false;
      if (std::memcmp(found.type, type, 4) == 0) return true;
      at = found.end + (riff ? (found.end - found.payload) & 1 : 0);
    }
    return false;
  }

  bool Read(uint64_t offset, unsigned char* buf, size_t n) { return read(offset, buf, n) == n; }

 private:
  static bool Fill(Span& span, const unsigned char* type, uint64_t payload, uint64_t end) {
    span.payload = payload;
    span.end = end;
    std::memcpy(span.type, type, 4);
    return true;
  }

  const ReadAt& read;
  int steps = 0;
};

// mvhd: version and flags, then (32 or 64-bit) creation and modification
// times, the timescale and the duration.
bool MovieHeaderLength(Walker& walk, const Span& mvhd, double& seconds) {
  unsigned char p[32];
  const uint64_t n = mvhd.end - mvhd.payload;
  if (n < 20 || !walk.Read(mvhd.payload, p, n < 32 ? static_cast<size_t>(n) : 32)) return false;
  uint32_t scale = 0;
  uint64_t duration = 0;
  if (p[0] == 0) {
    scale = Be32(p + 12);
    duration = Be32(p + 16);
    if (duration == 0xFFFFFFFFu) return false;  // unknown to the writer
  } else if (p[0] == 1 && n >= 32) {
    scale = Be32(p + 20);
    duration = Be64(p + 24);
  } else {
    return false;
  }
  if (scale == 0) return false;
  seconds = static_cast<double>(duration) / scale;
  return Believable(seconds);
}

bool BoxesLength(uint64_t size, Walker& walk, double& seconds) {
  const Span file{0, size, {}};
  Span moov, mvhd;
  return walk.Find(file, 0, "moov", false, moov) &&
         walk.Find(moov, moov.payload, "mvhd", false, mvhd) &&
         MovieHeaderLength(walk, mvhd, seconds);
}

// An OpenDML file (over 1 GB) counts all its frames in hdrl/odml/dmlh; the
// main header counts those of the first part only.
uint32_t OpenDmlFrames(Walker& walk, const Span& hdrl) {
  for (uint64_t at = hdrl.payload + 4; at < hdrl.end;) {
    Span list, dmlh;
    unsigned char kind[4];
    if (!walk.Find(hdrl, at, "LIST", true, list)) return 0;
    at = list.end + ((list.end - list.payload) & 1);
    if (list.end - list.payload < 4 || !walk.Read(list.payload, kind, 4)) return 0;
    if (std::memcmp(kind, "odml", 4) != 0) continue;
    unsigned char frames[4];
    if (walk.Find(list, list.payload + 4, "dmlh", true, dmlh) &&
        dmlh.end - dmlh.payload >= 4 && walk.Read(dmlh.payload, frames, 4))
      return Le32(frames);
    return 0;
  }
  return 0;
}

// RIFF AVI: a LIST hdrl whose first chunk, avih, holds microseconds per frame
// first and the total frames at byte 16.
bool AviLength(uint64_t size, Walker& walk, double& seconds) {
  const Span file{0, size < kMaxAviHeader ? size : kMaxAviHeader, {}};
  Span hdrl, avih;
  unsigned char kind[4], p[20];
  if (!walk.Find(file, 12, "LIST", true, hdrl) || hdrl.end - hdrl.payload < 4 ||
      !walk.Read(hdrl.payload, kind, 4) || std::memcmp(kind, "hdrl", 4) != 0)
    return false;
  if (!walk.Find(hdrl, hdrl.payload + 4, "avih", true, avih) ||
      avih.end - avih.payload < 20 || !walk.Read(avih.payload, p, 20))
    return false;
  const uint32_t grand = OpenDmlFrames(walk, hdrl);
  const uint32_t frames = grand > Le32(p + 16) ? grand : Le32(p + 16);
  seconds = static_cast<double>(Le32(p)) * frames / 1e6;
  return Believable(seconds);
}

}  // namespace

bool ReadClipLength(uint64_t size, const ReadAt& read, double& seconds) {
  seconds = 0;
  unsigned char head[12] = {};
  if (size < 12 || read(0, head, 12) != 12) return false;
  Walker walk(read);
  double found = 0;
  const bool known = std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "AVI ", 4) == 0
                         ? AviLength(size, walk, found)
                         : BoxesLength(size, walk, found);
  if (known) seconds = found;
  return known;
}

bool ReadClipLengthOfFile(const std::string& path, double& seconds) {
  seconds = 0;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  file.seekg(0, std::ios::end);
  const std::streamoff end = file.tellg();
  if (end <= 0) return false;
  const ReadAt read = [&file](uint64_t offset, void* buf, size_t n) -> size_t {
    file.clear();
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(static_cast<char*>(buf), static_cast<std::streamsize>(n));
    return static_cast<size_t>(file.gcount());
  };
  return ReadClipLength(static_cast<uint64_t>(end), read, seconds);
}
