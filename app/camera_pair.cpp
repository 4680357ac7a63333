#include "app/camera_pair.h"

namespace {

const char* const kExtensions[] = {".MOV", ".mov", ".TS", ".ts", ".AVI", ".avi", ".MP4", ".mp4"};

// `stem` with the clip's own extension first, then every other one that exists.
std::string FindWithAnyExtension(const std::string& stem, const std::string& own,
                                 const FileExistsCheck& exists) {
  if (exists(stem + own)) return stem + own;
  for (const char* ext : kExtensions)
    if (own != ext && exists(stem + ext)) return stem + ext;
  return std::string();
}

}  // namespace

CameraPartner PartnerOf(const std::string& path, const FileExistsCheck& exists) {
  const size_t ext = ClipExtensionAt(path);
  if (ext == std::string::npos || !exists) return CameraPartner();
  const std::string own = path.substr(ext);
  const size_t nameStart = path.find_last_of("\\/") + 1;
  // An R with a name before it may mark the rear camera's clip.
  if (path[ext - 1] == 'R' && ext - 1 > nameStart) {
    const std::string front = FindWithAnyExtension(path.substr(0, ext - 1), own, exists);
    if (!front.empty()) return CameraPartner{front, false};
  }
  const std::string rear = FindWithAnyExtension(path.substr(0, ext) + "R", own, exists);
  if (rear.empty()) return CameraPartner();
  return CameraPartner{rear, true};
}
