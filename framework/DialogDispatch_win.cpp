// Message to handler routing of the dialog base.
#include <windowsx.h>

#include "framework/Dialog_win.h"
#include "framework/Reflect_win.h"

bool CDialogBase::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return true;
    case WM_PAINT:
      return OnPaint();
    case WM_ERASEBKGND:
      return OnEraseBkgnd(reinterpret_cast<HDC>(wParam), result);
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item == nullptr || item->CtlType == ODT_MENU) return false;
      result = SendMessage(item->hwndItem, kReflectedDrawItem, wParam, lParam);
      return result != 0;
    }
    case WM_MEASUREITEM: {
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      if (item == nullptr || item->CtlType == ODT_MENU) return false;
      HWND control = ::GetDlgItem(m_hWnd, static_cast<int>(item->CtlID));
      if (control == NULL) return false;
      result = SendMessage(control, kReflectedMeasureItem, wParam, lParam);
      return result != 0;
    }
    case WM_CTLCOLORBTN: {
      // A skinned button paints its own ground.
      LRESULT brush =
          SendMessage(reinterpret_cast<HWND>(lParam), kReflectedCtlColorBtn, wParam, lParam);
      if (brush != 0) {
        result = brush;
        return true;
      }
      HBRUSH own =
          OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), CTLCOLOR_BTN);
      result = reinterpret_cast<LRESULT>(own);
      return own != NULL;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      HBRUSH brush = OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                msg - WM_CTLCOLORMSGBOX);
      result = reinterpret_cast<LRESULT>(brush);
      return brush != NULL;
    }
    case WM_TIMER:
      return OnTimer(static_cast<UINT_PTR>(wParam));
    case WM_HSCROLL:
      return OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SIZE:
      return OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_SIZING:
      if (!OnSizing(static_cast<UINT>(wParam), reinterpret_cast<RECT*>(lParam))) return false;
      result = TRUE;
      return true;
    case WM_LBUTTONDOWN:
      return OnLButtonDown(static_cast<UINT>(wParam),
                           POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_DESTROY:
      return OnDestroy();
    case WM_CLOSE:
      if (OnClose()) return true;
      OnCancel();  // a dialog closes as Cancel does
      return true;
    case WM_COMMAND:
      return DispatchCommand(wParam, lParam);
    default:
      return OnMessage(msg, wParam, lParam, result);
  }
}

bool CDialogBase::DispatchCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  if (code == BN_CLICKED && OnButtonClicked(id)) return true;
  if (OnCommand(id, code, control)) return true;
  if (code == BN_CLICKED || control == NULL) {
    if (id == IDOK) {
      OnOK();
      return true;
    }
    if (id == IDCANCEL) {
      OnCancel();
      return true;
    }
  }
  return false;
}
