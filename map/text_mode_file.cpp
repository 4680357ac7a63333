#include "map/text_mode_file.h"

#include <cstdio>

bool WriteTextModeFile(const std::string& path, std::string_view content) {
  std::string bytes;
  bytes.reserve(content.size() + content.size() / 16 + 2);
  for (char c : content) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = (std::fclose(file) == 0) && ok;
  return ok;
}
