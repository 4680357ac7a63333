#include "app/clip_names.h"

namespace {

const char* const kExtensions[] = {".MOV", ".mov", ".TS", ".ts", ".AVI", ".avi", ".MP4", ".mp4"};

}  // namespace

std::string SidecarPathOf(const std::string& clipPath) {
  long p = -1;
  for (const char* ext : kExtensions) {
    size_t at = clipPath.find(ext);
    if (at != std::string::npos && at >= 1) {
      p = static_cast<long>(at);
      break;
    }
  }
  size_t r = clipPath.rfind('R');
  if (r != std::string::npos && static_cast<long>(r) == p - 1) p = static_cast<long>(r);
  return (p > 0 ? clipPath.substr(0, static_cast<size_t>(p)) : std::string()) + ".nmea";
}

bool IsVideoFileName(const std::string& name) {
  // As for the sidecar: the first occurrence counts, and not at the very start.
  for (const char* ext : kExtensions) {
    size_t at = name.find(ext);
    if (at != std::string::npos && at >= 1) return true;
  }
  return false;
}
