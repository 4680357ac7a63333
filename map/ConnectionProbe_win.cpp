#include "map/ConnectionProbe_win.h"

#include <wininet.h>

#include <exception>
#include <thread>
#include <utility>

#include "framework/Trace_win.h"

bool CConnectionProbe::CheckConnection(const std::string& address) {
  return InternetCheckConnectionA(address.c_str(), FLAG_ICC_FORCE_CONNECTION, 0) != FALSE;
}

CConnectionProbe::CConnectionProbe(std::string address, ProbeFunction probe)
    : m_strAddress(std::move(address)), m_probe(probe) {}

void CConnectionProbe::Configure(std::string address, ProbeFunction probe) {
  m_strAddress = std::move(address);
  m_probe = probe;
}

void CConnectionProbe::Request(HWND window, UINT message) {
  m_hWnd = window;
  m_nMessage = message;
  if (m_gate.Request()) Start();
}

bool CConnectionProbe::TakeAnswer(WPARAM wParam, LPARAM lParam, bool& reachable) {
  if (!m_gate.InFlight() || lParam != m_nSerial) return false;
  reachable = wParam != 0;
  if (m_gate.Finish()) Start();
  return true;
}

void CConnectionProbe::Start() {
  // Serials are unique in the process, so an answer meant for an earlier window
  // that had the same handle is told apart.
  static LPARAM lastSerial = 0;
  m_nSerial = ++lastSerial;
  // The worker holds copies only and touches nothing of this object, so it may
  // outlive it: its answer to a window that has gone is simply dropped.
  try {
    std::thread([address = m_strAddress, probe = m_probe, window = m_hWnd, message = m_nMessage,
                 serial = m_nSerial] {
      const bool reachable = probe(address);
      PostMessageA(window, message, reachable ? 1 : 0, serial);
    }).detach();
  } catch (const std::exception& e) {
    TraceFormat("CConnectionProbe: no worker thread (%s)\n", e.what());
    PostMessageA(m_hWnd, m_nMessage, 0, m_nSerial);
  }
}
