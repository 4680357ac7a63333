// Names derived from a clip's path: its sidecar, and whether a file is a clip at all.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The clip extensions, case as written, in the order the playlist's filters list them.
inline constexpr const char* kClipExtensions[] = {".MOV", ".mov", ".TS", ".ts",
                                                  ".AVI", ".avi", ".MP4", ".mp4"};

// Whether a file of that path exists; the Windows caller asks the file system.
using FileExistsCheck = std::function<bool(const std::string& path)>;

// Where the clip extension of a path starts, or npos: the file name must end
// with .MOV .mov .TS .ts .AVI .avi .MP4 or .mp4 (case as written) and hold more
// than the extension. Folders never count.
size_t ClipExtensionAt(const std::string& path);

// The sidecar beside the clip: its path without the extension plus ".nmea".
// A rear-camera clip, whose name ends in a capital R before the extension,
// reads the front clip's sidecar (D:\DCIM\x_R.MOV reads D:\DCIM\x_.nmea),
// unless a sidecar under its own name exists. Empty for a name that is not a clip.
std::string SidecarPathOf(const std::string& clipPath, const FileExistsCheck& exists);

// The same without asking the disk: a rear-camera clip always gets the front
// clip's sidecar.
std::string SidecarPathOf(const std::string& clipPath);

// Whether a file name (or the name part of a path) is a clip's, by the rule of
// ClipExtensionAt.
bool IsVideoFileName(const std::string& name);

// Whether a clip's name (or the name part of its path) ends in a capital R
// before its extension, with more of the name before it: the rear camera's
// clip "xR.MOV" beside the front clip "x.MOV".
bool HasRearCameraMark(const std::string& path);
