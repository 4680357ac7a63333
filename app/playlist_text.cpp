#include "app/playlist_text.h"

std::string PlaylistTimeText(const std::tm& localTime, bool readOnly) {
  char text[128];
  const char* format = readOnly ? "     %Y-%m-%d %H:%M:%S     G" : "     %Y-%m-%d %H:%M:%S";
  size_t n = std::strftime(text, sizeof text, format, &localTime);
  return std::string(text, n);
}

std::string PlaylistDisplayText(const std::string& fileName, const std::string& timeText) {
  std::string text = fileName;
  if (text.size() < 15) text.resize(15, ' ');
  return text + timeText;
}

std::string FileNameOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
