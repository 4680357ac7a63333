#include "framework/Dialog_win.h"

#include <map>

#include "framework/ExceptionReport_win.h"

namespace {

// Window -> dialog object, for the pre-translation walk. Window thread only.
std::map<HWND, CDialogBase*>& Registry() {
  static std::map<HWND, CDialogBase*> registry;
  return registry;
}

// Messages whose dialog-procedure result is the value itself, not DWLP_MSGRESULT.
bool ReturnsValueDirectly(UINT msg) {
  return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_INITDIALOG ||
         msg == WM_QUERYDRAGICON || msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM ||
         msg == WM_CHARTOITEM;
}

}  // namespace

HINSTANCE AppInstance() { return GetModuleHandle(NULL); }

CDialogBase::~CDialogBase() { DestroyWindow(); }

CDialogBase* CDialogBase::FromHandle(HWND hwnd) {
  auto it = Registry().find(hwnd);
  return it == Registry().end() ? nullptr : it->second;
}

INT_PTR CDialogBase::DoModal(HWND parent) {
  if (m_hWnd != NULL) return -1;
  m_bModal = true;
  m_nModalResult = -1;
  if (CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(m_nTemplateId), parent, DialogProc,
                         reinterpret_cast<LPARAM>(this)) == NULL) {
    m_bModal = false;
    return -1;
  }
  const bool disableParent = parent != NULL && IsWindowEnabled(parent);
  if (disableParent) EnableWindow(parent, FALSE);
  ShowWindow(m_hWnd, SW_SHOW);
  m_bModalRunning = true;
  MSG msg;
  while (m_bModalRunning && m_hWnd != NULL) {
    BOOL got = GetMessageA(&msg, NULL, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit to the outer loop
      break;
    }
    if (got == -1) break;
    RouteMessage(&msg);
  }
  m_bModalRunning = false;
  if (disableParent) EnableWindow(parent, TRUE);
  DestroyWindow();
  m_bModal = false;
  return m_nModalResult;
}

bool CDialogBase::Create(HWND parent) {
  if (m_hWnd != NULL) return false;
  m_bModal = false;
  return CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(m_nTemplateId), parent, DialogProc,
                            reinterpret_cast<LPARAM>(this)) != NULL;
}

void CDialogBase::DestroyWindow() {
  if (m_hWnd != NULL) ::DestroyWindow(m_hWnd);  // WM_NCDESTROY clears m_hWnd
}

void CDialogBase::EndDialog(INT_PTR result) {
  m_nModalResult = result;
  m_bModalRunning = false;
  if (m_hWnd != NULL) PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wake the loop
}

HWND CDialogBase::GetDlgItem(int id) const {
  auto it = m_controls.find(id);
  if (it != m_controls.end() && IsWindow(it->second)) return it->second;
  HWND control = ::GetDlgItem(m_hWnd, id);
  if (control != NULL) m_controls[id] = control;
  return control;
}

void CDialogBase::UpdateData(BOOL bSaveAndValidate) {
  if (m_hWnd == NULL) return;
  CDataExchange dx(*this, bSaveAndValidate != FALSE, &m_pushedTexts);
  DoDataExchange(dx);
}

BOOL CDialogBase::PreTranslateMessage(MSG* msg) {
  if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
    return IsDialogMessageA(m_hWnd, msg);
  return FALSE;
}

bool CDialogBase::WalkPreTranslateTree(MSG* msg) {
  for (HWND h = msg->hwnd; h != NULL; h = GetParent(h)) {
    if (CDialogBase* dialog = FromHandle(h)) {
      BOOL consumed = FALSE;
      if (!RunReported(h, [&] { consumed = dialog->PreTranslateMessage(msg); })) return true;
      if (consumed) return true;
    }
    if ((GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD) == 0) break;  // top of this window tree
  }
  return false;
}

void CDialogBase::RouteMessage(MSG* msg) {
  if (WalkPreTranslateTree(msg)) return;
  TranslateMessage(msg);
  DispatchMessageA(msg);
}

void CDialogBase::OnOK() {
  if (m_bModal) EndDialog(IDOK);
}

void CDialogBase::OnCancel() {
  if (m_bModal) EndDialog(IDCANCEL);
}

INT_PTR CALLBACK CDialogBase::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  CDialogBase* self = FromHandle(hwnd);
  if (self == nullptr) {
    if (msg != WM_INITDIALOG) return FALSE;  // WM_SETFONT and the like come first
    self = reinterpret_cast<CDialogBase*>(lParam);
    self->m_hWnd = hwnd;
    Registry()[hwnd] = self;
  }
  LRESULT result = 0;
  bool handled = false;
  if (!RunReported(hwnd, [&] { handled = self->Dispatch(msg, wParam, lParam, result); }))
    handled = false;
  if (msg == WM_NCDESTROY) {
    Registry().erase(hwnd);
    self->m_hWnd = NULL;
    self->m_bModalRunning = false;
    self->m_pushedTexts.clear();
    self->m_controls.clear();
  }
  if (!handled) return FALSE;
  if (ReturnsValueDirectly(msg)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}
