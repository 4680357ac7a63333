#include "app/clip_names.h"

namespace {

const char* const kExtensions[] = {".MOV", ".mov", ".TS", ".ts", ".AVI", ".avi", ".MP4", ".mp4"};

size_t NameStart(const std::string& path) {
  return path.find_last_of("\\/") + 1;  // 0 without a folder
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

size_t ClipExtensionAt(const std::string& path) {
  const size_t name = NameStart(path);
  for (const char* ext : kExtensions) {
    const std::string tail = ext;
    if (EndsWith(path, tail) && path.size() - tail.size() > name) return path.size() - tail.size();
  }
  return std::string::npos;
}

std::string SidecarPathOf(const std::string& clipPath, const FileExistsCheck& exists) {
  const size_t ext = ClipExtensionAt(clipPath);
  if (ext == std::string::npos) return std::string();
  const std::string own = clipPath.substr(0, ext) + ".nmea";
  // The R goes only when a name stays before it.
  const bool rear = clipPath[ext - 1] == 'R' && ext - 1 > NameStart(clipPath);
  if (!rear || (exists && exists(own))) return own;
  return clipPath.substr(0, ext - 1) + ".nmea";
}

std::string SidecarPathOf(const std::string& clipPath) {
  return SidecarPathOf(clipPath, FileExistsCheck());
}

bool IsVideoFileName(const std::string& name) {
  return ClipExtensionAt(name) != std::string::npos;
}
