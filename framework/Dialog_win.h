// The dialog window classes derive from this: a window made from a dialog
// template, modal (with our own message loop, so that PreTranslateMessage sees
// keyboard and mouse input first) or a modeless child inside a placeholder.
// Messages reach handlers named after them; a handler that returns false (or
// is not overridden) leaves the message to the default dialog processing.
#pragma once

#include <windows.h>

#include <map>

#include "framework/DataExchange_win.h"

class CDialogBase {
 public:
  explicit CDialogBase(UINT templateId) : m_nTemplateId(templateId) {}
  // Destroys a window that still exists. By then a derived class's handlers and
  // members are gone, so a class whose handlers matter while its window goes
  // (OnDestroy, brushes for WM_CTLCOLOR) calls DestroyWindow in its own destructor.
  virtual ~CDialogBase();
  CDialogBase(const CDialogBase&) = delete;
  CDialogBase& operator=(const CDialogBase&) = delete;

  // Shows the dialog and returns the EndDialog result when it has closed (-1 when
  // it could not be created). A WM_QUIT ends it too and is posted again.
  INT_PTR DoModal(HWND parent = NULL);
  // Creates the dialog as a modeless window (a child when its template says so).
  bool Create(HWND parent);
  void DestroyWindow();
  // Ends a modal dialog after the current message.
  void EndDialog(INT_PTR result);

  HWND GetSafeHwnd() const { return m_hWnd; }
  // The control with that id. Looked up once: asking the window system costs a
  // trip to it each time, and the tick asks for a dozen controls every second.
  HWND GetDlgItem(int id) const;
  // Exchanges data through DoDataExchange: FALSE pushes members to the controls.
  void UpdateData(BOOL bSaveAndValidate = TRUE);

  // Sees keyboard and mouse messages for this window and its children before
  // they are dispatched; true when the message is consumed. The default lets
  // the dialog manager handle keyboard navigation.
  virtual BOOL PreTranslateMessage(MSG* msg);

  // The dialog object of a window, or null.
  static CDialogBase* FromHandle(HWND hwnd);
  // Offers a message to PreTranslateMessage of its window and each dialog parent.
  static bool WalkPreTranslateTree(MSG* msg);
  // What the modal loop does with each message: the pre-translation walk, then
  // TranslateMessage and DispatchMessage unless a dialog consumed it. For message
  // loops of our own elsewhere (tests, waits) so that the key rules still apply.
  static void RouteMessage(MSG* msg);

 protected:
  virtual void DoDataExchange(CDataExchange&) {}
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual bool OnPaint() { return false; }
  virtual bool OnEraseBkgnd(HDC, LRESULT&) { return false; }
  virtual HBRUSH OnCtlColor(HDC, HWND, UINT /*CTLCOLOR_...*/) { return NULL; }
  virtual bool OnTimer(UINT_PTR) { return false; }
  virtual bool OnHScroll(UINT /*code*/, UINT /*pos*/, HWND /*scrollBar*/) { return false; }
  virtual bool OnSize(UINT /*type*/, int /*cx*/, int /*cy*/) { return false; }
  virtual bool OnSizing(UINT /*edge*/, RECT*) { return false; }
  virtual bool OnLButtonDown(UINT /*flags*/, POINT) { return false; }
  virtual bool OnDestroy() { return false; }
  virtual bool OnClose() { return false; }
  // BN_CLICKED of a control; true when handled.
  virtual bool OnButtonClicked(int) { return false; }
  // Other WM_COMMAND notifications.
  virtual bool OnCommand(int /*id*/, int /*code*/, HWND) { return false; }
  // Enter and Escape of the dialog manager. A modal dialog ends by default.
  virtual void OnOK();
  virtual void OnCancel();
  // Any other message; set result and return true when handled.
  virtual bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

  HWND m_hWnd = NULL;

 private:
  static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
  bool Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool DispatchCommand(WPARAM wParam, LPARAM lParam);

  PushedTexts m_pushedTexts;               // see DDX_Text
  mutable std::map<int, HWND> m_controls;  // see GetDlgItem
  UINT m_nTemplateId;
  bool m_bModal = false;
  bool m_bModalRunning = false;
  INT_PTR m_nModalResult = -1;
};

// The module that holds the templates (the program's own executable).
HINSTANCE AppInstance();
