#include "app/time_text.h"

#include <cstdio>

std::string TimeText(int32_t second, int32_t length) {
  const uint32_t s = static_cast<uint32_t>(second), l = static_cast<uint32_t>(length);
  char text[64];
  std::snprintf(text, sizeof text, " %02u:%02u:%02u / %02u:%02u:%02u ", (s / 3600) % 60,
                (s / 60) % 60, s % 60, (l / 3600) % 60, (l / 60) % 60, l % 60);
  return text;
}
