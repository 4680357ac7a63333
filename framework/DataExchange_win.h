// Dialog data exchange: member strings reach their controls, and controls
// their wrapper objects, in the order a dialog's DoDataExchange lists them.
#pragma once

#include <windows.h>

#include <string>

class CSubclassWnd;

class CDataExchange {
 public:
  CDataExchange(HWND dialog, bool saveAndValidate) : m_hDlg(dialog), m_bSave(saveAndValidate) {}
  HWND Dialog() const { return m_hDlg; }
  // true: controls to members; false: members to controls.
  bool Saving() const { return m_bSave; }

 private:
  HWND m_hDlg;
  bool m_bSave;
};

// The text of control `id` and `value`.
void DDX_Text(CDataExchange& dx, int id, std::string& value);

// Binds the wrapper to control `id` the first time (subclassing it).
void DDX_Control(CDataExchange& dx, int id, CSubclassWnd& control);
