// The other camera of a clip: a front clip "NAME.EXT" and the rear camera's
// "NAMER.EXT" beside it, in the same folder, with any of the clip extensions.
#pragma once

#include <string>

#include "app/clip_names.h"

struct CameraPartner {
  std::string strPath;  // empty: no partner
  bool bPartnerIsRear = false;
};

// The partner of the clip at `path`. A name ending in "R" before its extension
// is a rear clip when its front clip exists; otherwise it is a front clip and
// its own rear clip ("NAMERR.EXT") is looked for. The clip's own extension is
// tried first, then the others in the order the playlist lists them.
CameraPartner PartnerOf(const std::string& path, const FileExistsCheck& exists);
