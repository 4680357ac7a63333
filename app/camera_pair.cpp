#include "app/camera_pair.h"

namespace {

// `stem` with the clip's own extension first, then every other one that exists.
std::string FindWithAnyExtension(const std::string& stem, const std::string& own,
                                 const FileExistsCheck& exists) {
  if (exists(stem + own)) return stem + own;
  for (const char* ext : kClipExtensions)
    if (own != ext && exists(stem + ext)) return stem + ext;
  return std::string();
}

}  // namespace

CameraPartner PartnerOf(const std::string& path, const FileExistsCheck& exists) {
  const size_t ext = ClipExtensionAt(path);
  if (ext == std::string::npos || !exists) return CameraPartner();
  const std::string own = path.substr(ext);
  if (HasRearCameraMark(path)) {  // a rear clip when its front clip is there
    const std::string front = FindWithAnyExtension(path.substr(0, ext - 1), own, exists);
    if (!front.empty()) return CameraPartner{front, false};
  }
  const std::string rear = FindWithAnyExtension(path.substr(0, ext) + "R", own, exists);
  if (rear.empty()) return CameraPartner();
  return CameraPartner{rear, true};
}
