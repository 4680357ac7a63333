#include "framework/DataExchange_win.h"

#include "framework/Dialog_win.h"
#include "framework/Owners_win.h"
#include "framework/Subclass_win.h"

namespace {

// A plain static text control: of the static class, showing text, and not
// subclassed (a subclass must see every WM_SETTEXT).
bool IsStaticText(HWND control) {
  if (static_cast<ULONG_PTR>(GetWindowLongPtrA(control, GWLP_WNDPROC)) !=
      GetClassLongPtrA(control, GCLP_WNDPROC))
    return false;
  char name[16] = "";
  if (GetClassNameA(control, name, sizeof name) == 0 || lstrcmpiA(name, "Static") != 0)
    return false;
  const LONG_PTR type = GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK;
  return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP;
}

// A static text control paints itself at once when its text is set, through a
// window DC of its own (Wine's does), which costs the dialog's timer tick about
// a tenth of a millisecond per text. Its text goes to the window instead, and it
// repaints with the others in the next paint.
void SetControlText(CDataExchange& dx, HWND control, const std::string& value) {
  if (!IsStaticText(control)) {
    SetWindowTextA(control, value.c_str());
    return;
  }
  DefWindowProcA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
  if (IsWindowVisible(control)) dx.RepaintLater(control);
}

}  // namespace

CDataExchange::CDataExchange(const CDialogBase& dialog, bool saveAndValidate, PushedTexts* pushed)
    : m_dialog(dialog), m_hDlg(dialog.GetSafeHwnd()), m_bSave(saveAndValidate), m_pPushed(pushed) {}

HWND CDataExchange::Control(int id) const { return m_dialog.GetDlgItem(id); }

CDataExchange::~CDataExchange() {
  if (m_changed.Get() != NULL)
    RedrawWindow(m_hDlg, NULL, m_changed.Get(), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CDataExchange::RepaintLater(HWND control) {
  RECT r;
  if (!GetWindowRect(control, &r)) return;
  MapWindowPoints(HWND_DESKTOP, m_hDlg, reinterpret_cast<POINT*>(&r), 2);
  AddToRegion(m_changed, r);
}

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
  HWND control = dx.Control(id);
  if (control == NULL) return;
  if (!dx.Saving()) {
    // Only a changed text is sent, so static controls do not flicker every second.
    PushedTexts* pushed = dx.Pushed();
    if (pushed != nullptr) {
      auto it = pushed->find(id);
      if (it != pushed->end() && it->second == value) return;
    } else {
      char current[512];
      int n = GetWindowTextA(control, current, sizeof current);
      if (n >= 0 && static_cast<size_t>(n) < sizeof current - 1 && value == current) return;
    }
    SetControlText(dx, control, value);
    if (pushed != nullptr) (*pushed)[id] = value;
    return;
  }
  int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int n = GetWindowTextA(control, &text[0], length + 1);
  text.resize(n > 0 ? static_cast<size_t>(n) : 0);
  value = text;
  if (dx.Pushed() != nullptr) (*dx.Pushed())[id] = value;  // what the control holds now
}

void DDX_Control(CDataExchange& dx, int id, CSubclassWnd& control) {
  if (control.GetSafeHwnd() == NULL) control.Attach(dx.Control(id));
}
