#include "app/clip_names.h"

namespace {

const char* const kExtensions[] = {".MOV", ".mov", ".TS", ".ts", ".AVI", ".avi", ".MP4", ".mp4"};

}  // namespace

std::string SidecarPathOf(const std::string& clipPath) {
  // Only the file name is searched: a folder such as "d.tsai" must not cut the path.
  const size_t name = clipPath.find_last_of("\\/") + 1;  // 0 without a folder
  size_t p = std::string::npos;
  for (const char* ext : kExtensions) {
    const size_t at = clipPath.find(ext, name);
    if (at != std::string::npos && at >= 1) {
      p = at;
      break;
    }
  }
  if (p == std::string::npos) return std::string();
  const size_t r = clipPath.rfind('R');
  if (r != std::string::npos && r + 1 == p) p = r;
  return clipPath.substr(0, p) + ".nmea";
}

bool IsVideoFileName(const std::string& name) {
  // As for the sidecar: the first occurrence counts, and not at the very start.
  for (const char* ext : kExtensions) {
    size_t at = name.find(ext);
    if (at != std::string::npos && at >= 1) return true;
  }
  return false;
}
