// Dialog data exchange: member strings reach their controls, and controls
// their wrapper objects, in the order a dialog's DoDataExchange lists them.
#pragma once

#include <windows.h>

#include <map>

#include "framework/Owners_win.h"
#include <string>

class CDialogBase;
class CSubclassWnd;

// The texts last pushed to each control of one dialog, so an unchanged text costs
// nothing (no control is asked for its text, none repaints). Controls whose text
// is exchanged get their text only through the exchange.
using PushedTexts = std::map<int, std::string>;

class CDataExchange {
 public:
  CDataExchange(const CDialogBase& dialog, bool saveAndValidate, PushedTexts* pushed = nullptr);
  // Repaints what changed.
  ~CDataExchange();
  CDataExchange(const CDataExchange&) = delete;
  CDataExchange& operator=(const CDataExchange&) = delete;

  HWND Dialog() const { return m_hDlg; }
  HWND Control(int id) const;
  // true: controls to members; false: members to controls.
  bool Saving() const { return m_bSave; }
  PushedTexts* Pushed() const { return m_pPushed; }
  // A control whose new text it must show; all of them are invalidated together
  // (one trip to the window system) when the exchange ends.
  void RepaintLater(HWND control);

 private:
  const CDialogBase& m_dialog;
  HWND m_hDlg;
  bool m_bSave;
  PushedTexts* m_pPushed;
  GdiRegion m_changed;  // in the dialog's client coordinates
};

// The text of control `id` and `value`.
void DDX_Text(CDataExchange& dx, int id, std::string& value);

// Binds the wrapper to control `id` the first time (subclassing it).
void DDX_Control(CDataExchange& dx, int id, CSubclassWnd& control);
