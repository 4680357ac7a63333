#include "telemetry/trace.h"

namespace trace {
namespace {
Sink g_sink = nullptr;
}

Sink SetSink(Sink sink) {
  Sink previous = g_sink;
  g_sink = sink;
  return previous;
}

void Write(const char* text) {
  if (g_sink != nullptr && text != nullptr) g_sink(text);
}

}  // namespace trace
