// Reading a sidecar the way a Windows program opened in text mode sees it.
#pragma once

#include <cstddef>
#include <string>

namespace textfile {

// Windows text-mode reading rules applied to raw bytes: CR LF arrives as LF and
// a Ctrl-Z ends the input. NUL bytes are dropped wherever they stand (a clip cut
// by a power loss is often padded with NULs; they must not hide what follows).
// dst may equal src; the result is never longer than the input. Returns its length.
size_t TextModeTranslate(const char* src, size_t n, char* dst);

enum class ReadResult { ok, cannot_open, too_large };

// Sidecars above this size are refused instead of exhausting memory
// (a ten-hour clip's sidecar is about 12 MB).
constexpr size_t kMaxSidecarBytes = size_t(1) << 30;

// Reads the whole file as it is, byte for byte. A directory cannot be opened.
ReadResult ReadRawFile(const std::string& path, std::string& bytes);

// Reads the whole file and applies TextModeTranslate. A directory cannot be opened.
ReadResult ReadTextFile(const std::string& path, std::string& text);

// True when the path names a file that can be opened for reading.
bool CanOpenForReading(const std::string& path);

}  // namespace textfile
