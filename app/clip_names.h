// Names derived from a clip's path: its sidecar, and whether a file is a clip at all.
#pragma once

#include <string>

// The sidecar beside the clip: same name with ".nmea"; a capital R just before
// the extension is dropped, so D:\DCIM\x_R.MOV reads D:\DCIM\x_.nmea. The
// extension is looked for in the file name only; a name without one of the clip
// extensions has no sidecar (empty result).
std::string SidecarPathOf(const std::string& clipPath);

// A name qualifies when it holds one of the clip extensions (case as written)
// anywhere after its first character.
bool IsVideoFileName(const std::string& name);
