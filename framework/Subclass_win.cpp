#include "framework/Subclass_win.h"

#include <map>

#include "framework/ExceptionReport_win.h"

// Subclassed by replacing the window procedure and keeping the one it
// replaced. The shared subclassing of the common controls looks its record up
// as a window property on every message, which costs a trip to the window
// system on some systems; a window's dozen messages per move add up.
namespace {

struct Entry {
  CSubclassWnd* owner = nullptr;  // null: detached, the messages just pass on
  WNDPROC previous = nullptr;
  bool unicode = false;
};

// Window thread only.
std::map<HWND, Entry>& Taken() {
  static std::map<HWND, Entry> taken;
  return taken;
}

LONG_PTR SetProc(HWND hwnd, bool unicode, LONG_PTR proc) {
  return unicode ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, proc)
                 : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, proc);
}

LRESULT CallPrevious(const Entry& entry, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return entry.unicode ? CallWindowProcW(entry.previous, hwnd, msg, wParam, lParam)
                       : CallWindowProcA(entry.previous, hwnd, msg, wParam, lParam);
}

}  // namespace

CSubclassWnd::~CSubclassWnd() { Detach(); }

bool CSubclassWnd::Attach(HWND hwnd) {
  if (hwnd == NULL || m_hWnd != NULL || !IsWindow(hwnd)) return false;
  auto found = Taken().find(hwnd);
  if (found != Taken().end()) {
    if (found->second.owner != nullptr) return false;
    found->second.owner = this;  // still chained from an earlier owner
  } else {
    Entry entry;
    entry.unicode = IsWindowUnicode(hwnd) != FALSE;
    entry.owner = this;
    Taken()[hwnd] = entry;
    entry.previous = reinterpret_cast<WNDPROC>(
        SetProc(hwnd, entry.unicode, reinterpret_cast<LONG_PTR>(&CSubclassWnd::Proc)));
    if (entry.previous == nullptr) {
      Taken().erase(hwnd);
      return false;
    }
    Taken()[hwnd].previous = entry.previous;
  }
  m_hWnd = hwnd;
  PreSubclassWindow();
  return true;
}

// Unchained when no one has subclassed the window after us; otherwise our
// procedure stays in the chain and passes everything on.
void CSubclassWnd::Detach() {
  if (m_hWnd == NULL) return;
  auto found = Taken().find(m_hWnd);
  if (found != Taken().end()) {
    Entry& entry = found->second;
    const LONG_PTR current = entry.unicode ? GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)
                                           : GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
    if (current == reinterpret_cast<LONG_PTR>(&CSubclassWnd::Proc)) {
      SetProc(m_hWnd, entry.unicode, reinterpret_cast<LONG_PTR>(entry.previous));
      Taken().erase(found);
    } else {
      entry.owner = nullptr;
    }
  }
  m_hWnd = NULL;
}

LRESULT CSubclassWnd::WindowProc(UINT, WPARAM, LPARAM) { return Default(); }

LRESULT CSubclassWnd::Default() { return DefaultWith(m_msg, m_wParam, m_lParam); }

LRESULT CSubclassWnd::DefaultWith(UINT msg, WPARAM wParam, LPARAM lParam) {
  auto found = Taken().find(m_hWnd);
  if (found == Taken().end()) return 0;
  return CallPrevious(found->second, m_hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CSubclassWnd::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto found = Taken().find(hwnd);
  if (found == Taken().end()) return DefWindowProcW(hwnd, msg, wParam, lParam);
  const Entry entry = found->second;
  CSubclassWnd* self = entry.owner;
  if (msg == WM_NCDESTROY) {
    if (self != nullptr) self->m_hWnd = NULL;
    Taken().erase(hwnd);
    SetProc(hwnd, entry.unicode, reinterpret_cast<LONG_PTR>(entry.previous));
    return CallPrevious(entry, hwnd, msg, wParam, lParam);
  }
  if (self == nullptr) return CallPrevious(entry, hwnd, msg, wParam, lParam);
  const UINT savedMsg = self->m_msg;
  const WPARAM savedW = self->m_wParam;
  const LPARAM savedL = self->m_lParam;
  self->m_msg = msg;
  self->m_wParam = wParam;
  self->m_lParam = lParam;
  LRESULT result = 0;
  if (!RunReported(hwnd, [&] { result = self->WindowProc(msg, wParam, lParam); }))
    result = CallPrevious(entry, hwnd, msg, wParam, lParam);
  // The window may have gone (and this object with it) inside the handler.
  auto still = Taken().find(hwnd);
  if (still != Taken().end() && still->second.owner == self) {
    self->m_msg = savedMsg;
    self->m_wParam = savedW;
    self->m_lParam = savedL;
  }
  return result;
}
