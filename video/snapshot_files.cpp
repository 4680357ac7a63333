#include "video/snapshot_files.h"

#include <cctype>

namespace {

uint32_t Read32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// Where the file name starts: after the last separator.
size_t NameStart(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? 0 : slash + 1;
}

std::string FileNameOf(const std::string& path) { return path.substr(NameStart(path)); }

// The file name's extension in lower case, without its dot; empty when it has none.
std::string LowerExtension(const std::string& path) {
  const std::string name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

// A clip by its extension, in any case: safer than the player's own rule,
// which takes the extension's case as written.
bool IsClipName(const std::string& path) {
  static const char* const kClipExtensions[] = {"mov", "ts", "avi", "mp4"};
  const std::string ext = LowerExtension(path);
  for (const char* clip : kClipExtensions)
    if (ext == clip) return true;
  return false;
}

bool IsSidecarName(const std::string& path) { return LowerExtension(path) == "nmea"; }

std::string Quoted(const std::string& path) { return "\"" + FileNameOf(path) + "\""; }

SnapshotTarget Refused(SnapshotTarget target, const std::string& why) {
  target.verdict = SnapshotVerdict::kRefuse;
  target.message = why + "\nChoose another name.";
  return target;
}

// The picture's name: the chosen one, with ".bmp" when the file name has no extension.
std::string PictureName(const std::string& chosen) {
  if (!LowerExtension(chosen).empty()) return chosen;
  return chosen + (chosen.back() == '.' ? "bmp" : ".bmp");
}

}  // namespace

SnapshotTarget DecideSnapshotTarget(const std::string& chosen,
                                    const std::function<bool(const std::string&)>& exists) {
  SnapshotTarget target;
  if (FileNameOf(chosen).empty()) return Refused(target, "A snapshot needs a file name.");
  target.picture = PictureName(chosen);
  target.lines = SnapshotSidecarPath(target.picture);
  const bool picture = exists(target.picture), lines = exists(target.lines);
  if (IsSidecarName(target.picture))
    return Refused(target, picture ? Quoted(target.picture) +
                                         " is a sidecar. A snapshot never replaces a sidecar."
                                   : "A snapshot's picture cannot have a sidecar's name (.nmea).");
  if (picture && IsClipName(target.picture))
    return Refused(target,
                   Quoted(target.picture) + " is a video clip. A snapshot never replaces a clip.");
  // The lines file always has a sidecar's name: one that exists is a sidecar.
  if (lines)
    return Refused(target, "The telemetry lines beside this picture would be written to " +
                               Quoted(target.lines) +
                               ", an existing sidecar. A snapshot never replaces a sidecar.");
  if (picture) {
    target.verdict = SnapshotVerdict::kAsk;
    target.message = Quoted(target.picture) + " already exists.\nDo you want to replace it?";
    return target;
  }
  target.verdict = SnapshotVerdict::kWrite;
  return target;
}

std::string SnapshotTimeSource(const std::string& clipPath,
                               const std::function<bool(const std::string&)>& exists) {
  const size_t dot = clipPath.rfind('.');
  if (dot == std::string::npos) return clipPath;
  const std::string sidecar = clipPath.substr(0, dot + 1) + "nmea";
  return exists(sidecar) ? sidecar : clipPath;
}

int64_t RecordingTime(int64_t lastWrite, int64_t length, int64_t current) {
  const int32_t l = static_cast<int32_t>(static_cast<uint32_t>(length));
  const int32_t s = static_cast<int32_t>(static_cast<uint32_t>(current));
  const int32_t before =
      static_cast<int32_t>(static_cast<uint32_t>(l) - static_cast<uint32_t>(s) - 1u);
  return lastWrite - before + 32400;
}

std::string DefaultSnapshotName(const std::tm& local) {
  char text[128] = "";
  const size_t n = std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  const std::string stamp(text, n);
  return (stamp.size() > 2 ? stamp.substr(2) : std::string()) + ".bmp";
}

std::string SnapshotSidecarPath(const std::string& picturePath) {
  const size_t dot = picturePath.rfind('.');
  if (dot == std::string::npos || dot < NameStart(picturePath)) return picturePath + ".nmea";
  return picturePath.substr(0, dot) + ".nmea";
}

std::string BmpFileHeader(const uint8_t* packed, size_t size) {
  if (packed == nullptr || size < 40) return {};
  const uint32_t headerSize = Read32(packed);
  const uint32_t bits = uint32_t{packed[14]} | uint32_t{packed[15]} << 8;
  const uint32_t compression = Read32(packed + 16);
  uint32_t colours = Read32(packed + 32);
  if (colours == 0 && bits <= 8) colours = 1u << bits;
  if (headerSize < 40 || headerSize > size) return {};
  const uint32_t masks = (headerSize == 40 && compression == 3 /* BI_BITFIELDS */) ? 12 : 0;
  std::string out = "BM";
  Put32(out, static_cast<uint32_t>(14 + size));
  Put32(out, 0);  // two reserved words
  Put32(out, 14 + headerSize + masks + 4 * colours);
  return out;
}
