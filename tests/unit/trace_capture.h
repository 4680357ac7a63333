// Collects the core's traces while a test runs.
#pragma once

#include <string>

#include "telemetry/trace.h"

class TraceCapture {
 public:
  TraceCapture() : m_previous(trace::SetSink(&TraceCapture::Collect)) { Text().clear(); }
  ~TraceCapture() { trace::SetSink(m_previous); }
  static std::string& Text() {
    static std::string text;
    return text;
  }

 private:
  static void Collect(const char* t) { Text() += t; }
  trace::Sink m_previous;
};
