// Failed calls of the engine's control path, traced with the code and its text.
#include <windows.h>

#include <cstdio>
#include <string>

#include "framework/Trace_win.h"
#include "video/MediaLib_win.h"

namespace {

// The system's text for the code, without its line break; empty when it has
// none (many DirectShow codes).
std::string CodeText(HRESULT hr) {
  char text[256] = "";
  const DWORD n =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                     static_cast<DWORD>(hr), 0, text, sizeof text, NULL);
  std::string s(text, n < sizeof text ? n : 0);
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '.'))
    s.pop_back();
  return s;
}

}  // namespace

HRESULT TraceIfFailed(const char* call, HRESULT hr) {
  if (SUCCEEDED(hr)) return hr;
  const std::string text = CodeText(hr);
  char line[400];
  std::snprintf(line, sizeof line, "Video: %s failed (0x%08lX%s%s)\n", call,
                static_cast<unsigned long>(hr), text.empty() ? "" : ": ", text.c_str());
  TraceText(line);
  return hr;
}
