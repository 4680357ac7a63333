// Diagnostic traces: the debugger output, and the file that PLAYER_TRACE_FILE
// names (every trace appended), which tests read.
#pragma once

// Writes one trace text as it is.
void TraceText(const char* text);

// printf-style trace into a bounded buffer.
void TraceFormat(const char* format, ...);

// Routes the portable core's traces here; called once at start-up.
void InstallTraceSink();
