#include "telemetry/text_file.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "telemetry/byte_scan.h"

namespace textfile {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && (st.st_mode & S_IFMT) == S_IFDIR;
}

FilePtr OpenRead(const std::string& path) {
  if (path.empty() || IsDirectory(path)) return nullptr;
  return FilePtr(std::fopen(path.c_str(), "rb"));
}

// Turns CR LF into LF within a NUL-free range, moving bytes down to dst
// (which may be src). Words without a CR are moved whole; out never passes in.
size_t FoldCrLf(const char* src, size_t n, char* dst) {
  const uint64_t cr = bytescan::Broadcast('\r');
  size_t in = 0, out = 0;
  while (in < n) {
    if (n - in >= 8) {
      uint64_t word = bytescan::Load8(src + in);
      uint64_t zeros = bytescan::ZeroBytes(word ^ cr);
      if (zeros == 0) {
        std::memcpy(dst + out, &word, sizeof word);
        in += 8;
        out += 8;
        continue;
      }
      for (unsigned k = bytescan::FirstByte(zeros); k > 0; --k) dst[out++] = src[in++];
    } else if (src[in] != '\r') {
      dst[out++] = src[in++];
      continue;
    }
    if (in + 1 < n && src[in + 1] == '\n') {
      dst[out++] = '\n';
      in += 2;
    } else {
      dst[out++] = '\r';
      in += 1;
    }
  }
  return out;
}

size_t DropNuls(const char* src, size_t n, char* dst) {
  size_t out = 0;
  for (size_t in = 0; in < n; ++in)
    if (src[in] != '\0') dst[out++] = src[in];
  return out;
}

}  // namespace

size_t TextModeTranslate(const char* src, size_t n, char* dst) {
  if (const void* eof = std::memchr(src, 0x1A, n))
    n = static_cast<size_t>(static_cast<const char*>(eof) - src);
  if (std::memchr(src, '\0', n) != nullptr) {
    n = DropNuls(src, n, dst);
    src = dst;
  }
  return FoldCrLf(src, n, dst);
}

ReadResult ReadTextFile(const std::string& path, std::string& text) {
  ReadResult result = ReadRawFile(path, text);
  if (result == ReadResult::ok) text.resize(TextModeTranslate(text.data(), text.size(), &text[0]));
  return result;
}

ReadResult ReadRawFile(const std::string& path, std::string& text) {
  text.clear();
  FilePtr file = OpenRead(path);
  if (!file) return ReadResult::cannot_open;
  // The size is only a hint (the file may grow or be a device); read to the end.
  size_t hint = 0;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) {
    long end = std::ftell(file.get());
    if (end > 0) hint = static_cast<size_t>(end);
    std::fseek(file.get(), 0, SEEK_SET);
  }
  if (hint > kMaxSidecarBytes) return ReadResult::too_large;
  text.resize(hint > 0 ? hint + 1 : 64 * 1024);
  size_t used = 0;
  for (;;) {
    if (used == text.size()) {
      if (text.size() >= kMaxSidecarBytes) {
        text.clear();
        text.shrink_to_fit();
        return ReadResult::too_large;
      }
      text.resize(text.size() * 2);
    }
    size_t got = std::fread(&text[used], 1, text.size() - used, file.get());
    used += got;
    if (got == 0) break;
  }
  text.resize(used);
  return ReadResult::ok;
}

bool CanOpenForReading(const std::string& path) { return OpenRead(path) != nullptr; }

}  // namespace textfile
