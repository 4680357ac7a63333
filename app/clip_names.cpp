#include "app/clip_names.h"

namespace {

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
  for (const char* ext : kClipExtensions) {
    const std::string tail = ext;
    if (EndsWith(path, tail) && path.size() - tail.size() > name) return path.size() - tail.size();
  }
  return std::string::npos;
}

std::string SidecarPathOf(const std::string& clipPath, const FileExistsCheck& exists) {
  const size_t ext = ClipExtensionAt(clipPath);
  if (ext == std::string::npos) return std::string();
  const std::string own = clipPath.substr(0, ext) + ".nmea";
  if (!HasRearCameraMark(clipPath) || (exists && exists(own))) return own;
  return clipPath.substr(0, ext - 1) + ".nmea";
}

std::string SidecarPathOf(const std::string& clipPath) {
  return SidecarPathOf(clipPath, FileExistsCheck());
}

bool IsVideoFileName(const std::string& name) {
  return ClipExtensionAt(name) != std::string::npos;
}

bool HasRearCameraMark(const std::string& path) {
  const size_t ext = ClipExtensionAt(path);
  // The R counts only when a name stays before it.
  return ext != std::string::npos && path[ext - 1] == 'R' && ext - 1 > NameStart(path);
}
