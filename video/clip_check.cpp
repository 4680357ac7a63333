#include "video/clip_check.h"

#include <cstring>
#include <string>

namespace {

// Enough boxes for any real file; a loop of zero-size tricks ends here.
constexpr int kMaxBoxes = 100000;
constexpr int kMaxDepth = 8;

uint32_t Be32(const unsigned char* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

uint64_t Be64(const unsigned char* p) { return (uint64_t{Be32(p)} << 32) | Be32(p + 4); }

struct Box {
  uint64_t offset = 0;   // where the box starts
  uint64_t payload = 0;  // where its contents start
  uint64_t end = 0;      // one past its last byte
  char type[5] = {};
};

class BoxReader {
 public:
  BoxReader(uint64_t size, const ReadAt& read) : size(size), read(read) {}

  // The box at `offset` inside a parent ending at `limit`; false when it does
  // not fit there (cut or broken).
  bool At(uint64_t offset, uint64_t limit, Box& box) {
    if (++boxes > kMaxBoxes || limit - offset < 8) return false;
    unsigned char head[16];
    if (read(offset, head, 8) != 8) return false;
    uint64_t length = Be32(head);
    uint64_t header = 8;
    if (length == 1) {
      if (limit - offset < 16 || read(offset + 8, head + 8, 8) != 8) return false;
      length = Be64(head + 8);
      header = 16;
    } else if (length == 0) {
      length = limit - offset;  // to the end of its parent
    }
    if (length < header || length > limit - offset) return false;
    box.offset = offset;
    box.payload = offset + header;
    box.end = offset + length;
    std::memcpy(box.type, head + 4, 4);
    return true;
  }

  // Whether a track handler below the box (moov, trak, mdia) names video.
  bool HasVideoTrack(const Box& parent, int depth) {
    if (depth > kMaxDepth) return false;
    for (uint64_t at = parent.payload; at < parent.end;) {
      Box child;
      if (!At(at, parent.end, child)) return false;
      const std::string type = child.type;
      if (type == "hdlr" && IsVideoHandler(child)) return true;
      if ((type == "trak" || type == "mdia") && HasVideoTrack(child, depth + 1)) return true;
      at = child.end;
    }
    return false;
  }

  const uint64_t size;

 private:
  // Version and flags, pre_defined, then the handler type.
  bool IsVideoHandler(const Box& hdlr) {
    unsigned char payload[12];
    return hdlr.end - hdlr.payload >= 12 && read(hdlr.payload, payload, 12) == 12 &&
           std::memcmp(payload + 8, "vide", 4) == 0;
  }

  const ReadAt& read;
  int boxes = 0;
};

bool IsTopLevelBoxType(const unsigned char* type) {
  static const char* const kTypes[] = {"ftyp", "moov", "mdat", "free", "skip", "wide", "pnot"};
  for (const char* t : kTypes)
    if (std::memcmp(type, t, 4) == 0) return true;
  return false;
}

ClipVerdict CheckBoxes(uint64_t size, const ReadAt& read) {
  BoxReader boxes(size, read);
  bool movie = false, video = false;
  for (uint64_t at = 0; at < size;) {
    Box box;
    if (!boxes.At(at, size, box)) return ClipVerdict::kDamaged;
    if (std::strcmp(box.type, "moov") == 0) {
      movie = true;
      video = video || boxes.HasVideoTrack(box, 0);
    }
    at = box.end;
  }
  if (!movie) return ClipVerdict::kDamaged;  // nothing says what the data is
  return video ? ClipVerdict::kVideo : ClipVerdict::kNoVideo;
}

// The stream headers sit at the start of an AVI file: "strh", its size, then the
// stream type ("vids" for video).
ClipVerdict CheckAvi(uint64_t size, const ReadAt& read) {
  std::string head(size < 65536 ? static_cast<size_t>(size) : 65536, '\0');
  head.resize(read(0, &head[0], head.size()));
  bool stream = false;
  for (size_t at = head.find("strh"); at != std::string::npos; at = head.find("strh", at + 4)) {
    if (at + 12 > head.size()) break;
    stream = true;
    if (head.compare(at + 8, 4, "vids") == 0) return ClipVerdict::kVideo;
  }
  return stream ? ClipVerdict::kNoVideo : ClipVerdict::kDamaged;
}

// MPEG transport streams: a sync byte every 188 bytes (192 with a time code first).
bool IsTransportStream(const unsigned char* head, size_t n) {
  if (n > 188 && head[0] == 0x47 && head[188] == 0x47) return true;
  return n > 196 && head[4] == 0x47 && head[196] == 0x47;
}

}  // namespace

ClipVerdict CheckClipFile(uint64_t size, const ReadAt& read) {
  if (size == 0) return ClipVerdict::kEmpty;
  unsigned char head[200] = {};
  const size_t n = read(0, head, size < sizeof head ? static_cast<size_t>(size) : sizeof head);
  if (n >= 8 && IsTopLevelBoxType(head + 4)) return CheckBoxes(size, read);
  if (n >= 12 && std::memcmp(head, "RIFF", 4) == 0 &&
      (std::memcmp(head + 8, "AVI ", 4) == 0 || std::memcmp(head + 8, "AVIX", 4) == 0))
    return CheckAvi(size, read);
  if (IsTransportStream(head, n)) return ClipVerdict::kVideo;
  if (n >= 4 && head[0] == 0 && head[1] == 0 && head[2] == 1 && head[3] == 0xBA)
    return ClipVerdict::kVideo;  // MPEG program stream
  return ClipVerdict::kNotVideo;
}

const char* UnplayableReason(ClipVerdict verdict) {
  switch (verdict) {
    case ClipVerdict::kUnreadable:
      return "The file cannot be read.";
    case ClipVerdict::kEmpty:
      return "The file is empty.";
    case ClipVerdict::kDamaged:
      return "The file is damaged or cut short.";
    case ClipVerdict::kNoVideo:
      return "The file holds no video.";
    case ClipVerdict::kNotVideo:
      return "The file is not a video.";
    case ClipVerdict::kVideo:
      break;
  }
  return "";
}
