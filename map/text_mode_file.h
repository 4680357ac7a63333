// Writes a file the way a Windows program writing in text mode does.
#pragma once

#include <string>
#include <string_view>

// Replaces the file with `content`, every LF written as CR LF. False when the
// file cannot be opened or written; the caller then simply skips it.
bool WriteTextModeFile(const std::string& path, std::string_view content);
