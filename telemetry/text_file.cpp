#include "telemetry/text_file.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <memory>

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

// Turns CR LF into LF within a NUL-free range, moving bytes down to dst.
size_t FoldCrLf(const char* src, size_t n, char* dst) {
  size_t in = 0, out = 0;
  while (in < n) {
    const void* hit = std::memchr(src + in, '\r', n - in);
    size_t end = hit ? static_cast<size_t>(static_cast<const char*>(hit) - src) : n;
    if (dst + out != src + in) std::memmove(dst + out, src + in, end - in);
    out += end - in;
    in = end;
    if (in == n) break;
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
  text.resize(TextModeTranslate(text.data(), used, &text[0]));
  return ReadResult::ok;
}

bool CanOpenForReading(const std::string& path) {
  return OpenRead(path) != nullptr;
}

}  // namespace textfile
