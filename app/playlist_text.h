// What the playlist shows for a file: its name padded to 15 characters and the
// local date and time it was last written, with "G" for a read-only file.
#pragma once

#include <ctime>
#include <string>

// "     %Y-%m-%d %H:%M:%S" (then "     G" when read-only); empty when the time
// cannot be formatted.
std::string PlaylistTimeText(const std::tm& localTime, bool readOnly);

std::string PlaylistDisplayText(const std::string& fileName, const std::string& timeText);

// The name after the last backslash (or slash).
std::string FileNameOf(const std::string& path);
