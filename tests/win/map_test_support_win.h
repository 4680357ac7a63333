// Helpers of the map window's Windows tests: a message pump with a deadline, a
// parent window with a placeholder, recorded message boxes and traces, the
// stand-in WebView2 runtime, and loopback ports for the connection probe.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace maptest {

// Dispatches messages until `done` holds or `timeoutMs` has passed; false then.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// Dispatches whatever comes in during `ms`.
void PumpFor(DWORD ms);

// A top-level window (text "map test") with one child placeholder control.
class ParentWindow {
 public:
  ParentWindow();
  ~ParentWindow();
  ParentWindow(const ParentWindow&) = delete;
  ParentWindow& operator=(const ParentWindow&) = delete;
  HWND Top() const { return top; }
  HWND Placeholder() const { return placeholder; }

 private:
  HWND top = NULL;
  HWND placeholder = NULL;
};

struct Box {
  HWND owner;
  std::string text, caption;
  UINT type;
};

// Records the message boxes shown while it lives (each answered with IDOK).
class BoxRecorder {
 public:
  BoxRecorder();
  ~BoxRecorder();
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;
  const std::vector<Box>& Boxes() const;
};

// Points PLAYER_TRACE_FILE at a fresh file while it lives.
class TraceRecorder {
 public:
  TraceRecorder();
  ~TraceRecorder();
  TraceRecorder(const TraceRecorder&) = delete;
  TraceRecorder& operator=(const TraceRecorder&) = delete;
  std::string Text() const;

 private:
  std::string path;
};

// The stand-in runtime (a WebView2Loader.dll of the tests): its call log and
// the call it is to fail.
class FakeRuntime {
 public:
  explicit FakeRuntime(const std::string& dllPath);
  bool Loaded() const { return log != nullptr; }
  std::string Log() const { return log(); }
  void Reset() const { reset(); }
  void Fail(const char* call, HRESULT hr) const { fail(call, hr); }

 private:
  const char* (*log)() = nullptr;
  void (*reset)() = nullptr;
  void (*fail)(const char*, HRESULT) = nullptr;
};

// A loopback port that accepts connections while the object lives.
class LoopbackListener {
 public:
  LoopbackListener();
  ~LoopbackListener();
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;
  int Port() const { return port; }

 private:
  UINT_PTR socket;
  int port = 0;
};

// A loopback port that nothing listens on (taken and given back).
int ClosedLoopbackPort();

std::string TempFolder();
std::string ReadFile(const std::string& path);

}  // namespace maptest
