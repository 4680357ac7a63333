#include "framework/DataExchange_win.h"

#include "framework/Subclass_win.h"

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
  HWND control = GetDlgItem(dx.Dialog(), id);
  if (control == NULL) return;
  if (!dx.Saving()) {
    // Only a changed text is sent, so static controls do not flicker every second.
    char current[512];
    int n = GetWindowTextA(control, current, sizeof current);
    if (n >= 0 && static_cast<size_t>(n) < sizeof current - 1 && value == current) return;
    SetWindowTextA(control, value.c_str());
    return;
  }
  int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int n = GetWindowTextA(control, &text[0], length + 1);
  text.resize(n > 0 ? static_cast<size_t>(n) : 0);
  value = text;
}

void DDX_Control(CDataExchange& dx, int id, CSubclassWnd& control) {
  if (control.GetSafeHwnd() == NULL) control.Attach(GetDlgItem(dx.Dialog(), id));
}
