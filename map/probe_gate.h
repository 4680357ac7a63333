// At most one connection probe in flight: a request while one runs is
// remembered (once, however many arrive) and started when the answer is in.
#pragma once

class CProbeGate {
 public:
  // True when a probe should start now; false when the request is remembered.
  bool Request() {
    if (m_bInFlight) {
      m_bPending = true;
      return false;
    }
    m_bInFlight = true;
    return true;
  }
  // The running probe has answered. True when a remembered request starts now.
  bool Finish() {
    m_bInFlight = m_bPending;
    m_bPending = false;
    return m_bInFlight;
  }
  bool InFlight() const { return m_bInFlight; }
  bool Pending() const { return m_bPending; }

 private:
  bool m_bInFlight = false;
  bool m_bPending = false;
};
