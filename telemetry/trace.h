// Diagnostic traces of the portable core. The Windows build routes them to the
// debugger output (and the trace file); natively they go nowhere unless a sink is set.
#pragma once

namespace trace {

using Sink = void (*)(const char* text);

// Installs the sink and returns the previous one. Pass nullptr to silence traces.
Sink SetSink(Sink sink);

// Writes one trace text, byte for byte, to the current sink.
void Write(const char* text);

}  // namespace trace
