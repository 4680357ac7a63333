#include "framework/Subclass_win.h"

#include <commctrl.h>

#include <map>

#include "framework/ExceptionReport_win.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x504C59;  // one subclass of ours per window

// Which wrapper holds a window. Kept here rather than asked of comctl32:
// mingw's import library lacks GetWindowSubclass. Window thread only.
std::map<HWND, CSubclassWnd*>& Taken() {
  static std::map<HWND, CSubclassWnd*> taken;
  return taken;
}

}  // namespace

CSubclassWnd::~CSubclassWnd() { Detach(); }

bool CSubclassWnd::Attach(HWND hwnd) {
  if (hwnd == NULL || m_hWnd != NULL || !IsWindow(hwnd)) return false;
  if (Taken().count(hwnd) != 0) return false;
  if (!SetWindowSubclass(hwnd, &CSubclassWnd::Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  Taken()[hwnd] = this;
  m_hWnd = hwnd;
  PreSubclassWindow();
  return true;
}

void CSubclassWnd::Detach() {
  if (m_hWnd == NULL) return;
  RemoveWindowSubclass(m_hWnd, &CSubclassWnd::Proc, kSubclassId);
  Taken().erase(m_hWnd);
  m_hWnd = NULL;
}

LRESULT CSubclassWnd::WindowProc(UINT, WPARAM, LPARAM) { return Default(); }

LRESULT CSubclassWnd::Default() { return DefSubclassProc(m_hWnd, m_msg, m_wParam, m_lParam); }

LRESULT CALLBACK CSubclassWnd::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR ref) {
  auto* self = reinterpret_cast<CSubclassWnd*>(ref);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &CSubclassWnd::Proc, kSubclassId);
    Taken().erase(hwnd);
    self->m_hWnd = NULL;
    return DefSubclassProc(hwnd, msg, wParam, lParam);
  }
  UINT savedMsg = self->m_msg;
  WPARAM savedW = self->m_wParam;
  LPARAM savedL = self->m_lParam;
  self->m_msg = msg;
  self->m_wParam = wParam;
  self->m_lParam = lParam;
  LRESULT result = 0;
  if (!RunReported(hwnd, [&] { result = self->WindowProc(msg, wParam, lParam); }))
    result = DefSubclassProc(hwnd, msg, wParam, lParam);
  self->m_msg = savedMsg;
  self->m_wParam = savedW;
  self->m_lParam = savedL;
  return result;
}
