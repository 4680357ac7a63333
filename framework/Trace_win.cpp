#include "framework/Trace_win.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "telemetry/trace.h"

void TraceText(const char* text) {
  if (text == nullptr) return;
  OutputDebugStringA(text);
  const char* path = std::getenv("PLAYER_TRACE_FILE");
  if (path == nullptr || *path == '\0') return;
  // Opened per trace so that a reader sees every line at once, crash or not.
  if (std::FILE* file = std::fopen(path, "ab")) {
    std::fputs(text, file);
    std::fclose(file);
  }
}

void TraceFormat(const char* format, ...) {
  char buffer[2048];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  TraceText(buffer);
}

void InstallTraceSink() { trace::SetSink(&TraceText); }
