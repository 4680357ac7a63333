// Helpers for the Windows tests of the framework and the engine: the trace file,
// an answering message box, and a message loop that routes like the program's.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testkit {

// Points PLAYER_TRACE_FILE at a fresh temporary file for the object's lifetime.
class TraceFile {
 public:
  TraceFile();
  ~TraceFile();
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  const std::string& Path() const { return path; }
  // Everything traced since the last call.
  std::string Take();

 private:
  std::string path;
};

struct BoxCall {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

// Answers every message box with `answer` and records it; the real box is back
// when the recorder goes.
class MessageBoxRecorder {
 public:
  explicit MessageBoxRecorder(int answer);
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

  const std::vector<BoxCall>& Calls() const;
};

// Runs the thread's messages through CDialogBase::RouteMessage for `ms`.
void PumpFor(DWORD ms);
// The same until `done` holds or `timeoutMs` passes; the final value of `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

}  // namespace testkit
