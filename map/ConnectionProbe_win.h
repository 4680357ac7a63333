// The connection probe, run on a worker thread: a probe can block for 20 s
// (a name server that never answers) or over two minutes (a connection that
// gets no reply), and the window thread must go on meanwhile. The answer comes
// back to the window as a posted message. At most one probe is in flight; a
// request while one runs is remembered and started after its answer.
#pragma once

#include <windows.h>

#include <string>

#include "map/probe_gate.h"

class CConnectionProbe {
 public:
  // Blocking check of one address; true when it can be reached.
  using ProbeFunction = bool (*)(const std::string& address);

  // InternetCheckConnectionA with FLAG_ICC_FORCE_CONNECTION.
  static bool CheckConnection(const std::string& address);

  CConnectionProbe(std::string address, ProbeFunction probe);

  // Replaces the address and the check for the next probe.
  void Configure(std::string address, ProbeFunction probe);

  // Starts a probe whose answer is posted to `window` as `message` (wParam 1
  // reachable, 0 not; lParam the probe's serial), or remembers the request.
  void Request(HWND window, UINT message);

  // Takes a posted answer: false when it is not the one awaited (stale).
  // Otherwise `reachable` is set and a remembered request starts.
  bool TakeAnswer(WPARAM wParam, LPARAM lParam, bool& reachable);

  bool InFlight() const { return m_gate.InFlight(); }

 private:
  void Start();

  std::string m_strAddress;
  ProbeFunction m_probe;
  CProbeGate m_gate;
  HWND m_hWnd = NULL;
  UINT m_nMessage = 0;
  LPARAM m_nSerial = 0;
};
