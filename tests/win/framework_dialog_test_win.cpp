// The dialog base under Wine: our modal loop and the pre-translation walk, child
// dialogs inside placeholders, handler dispatch, data exchange, error report.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/DataExchange_win.h"
#include "framework/Dialog_win.h"
#include "framework/ExceptionReport_win.h"
#include "framework/Owners_win.h"
#include "framework/Subclass_win.h"
#include "framework_test_ids.h"
#include "framework_testkit_win.h"

namespace {

using Log = std::vector<std::string>;

const UINT kFinish = WM_APP + 1;
const UINT_PTR kSafetyTimer = 99;  // ends a modal test that would hang

std::string TextOf(HWND hwnd) {
  char text[2048] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

class ChildDialog : public CDialogBase {
 public:
  explicit ChildDialog(Log* log) : CDialogBase(IDD_FW_CHILD), log(log) {}

  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_CHAR) {
      log->push_back(std::string("child ") + static_cast<char>(msg->wParam));
      if (msg->wParam == 'c') return TRUE;
    }
    return CDialogBase::PreTranslateMessage(msg);
  }

 private:
  Log* log;
};

// Posts keys and a click to its controls before its loop runs, then ends itself.
class ModalDialog : public CDialogBase {
 public:
  ModalDialog() : CDialogBase(IDD_FW_MAIN), child(&log) {}

  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_CHAR) {
      log.push_back(std::string("main ") + static_cast<char>(msg->wParam));
      if (msg->wParam == 'x') return TRUE;
      if (msg->wParam == 'e') throw CInvalidArgException();
    }
    if (msg->message == WM_LBUTTONDOWN) {
      log.push_back("main click");
      return TRUE;
    }
    return CDialogBase::PreTranslateMessage(msg);
  }

  Log log;
  ChildDialog child;
  std::string mainText, childText;

 protected:
  BOOL OnInitDialog() override {
    child.Create(GetDlgItem(IDC_FW_PLACEHOLDER));
    HWND edit = GetDlgItem(IDC_FW_EDIT);
    HWND childEdit = child.GetDlgItem(IDC_FW_CHILD_EDIT);
    for (char c : std::string("xye")) PostMessageA(edit, WM_CHAR, c, 1);
    for (char c : std::string("cd")) PostMessageA(childEdit, WM_CHAR, c, 1);
    PostMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(m_hWnd, kFinish, 0, 0);
    SetTimer(m_hWnd, kSafetyTimer, 5000, NULL);
    return TRUE;
  }
  bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override {
    if (msg != kFinish) return false;
    mainText = TextOf(GetDlgItem(IDC_FW_EDIT));
    childText = TextOf(child.GetDlgItem(IDC_FW_CHILD_EDIT));
    EndDialog(42);
    return true;
  }
  bool OnTimer(UINT_PTR) override {
    EndDialog(-2);
    return true;
  }
};

TEST(ModalLoop, PreTranslateSeesInputFirstInnermostDialogFirst) {
  testkit::MessageBoxRecorder boxes(IDOK);
  ModalDialog dialog;
  ASSERT_EQ(dialog.DoModal(), 42) << "the loop did not end through EndDialog";
  // 'x' and 'c' were consumed before dispatch. The child's keys went to the child
  // first, and its dialog manager took 'd' before the main window could.
  const Log expected = {"main x", "main y", "main e", "child c", "child d", "main click"};
  EXPECT_EQ(dialog.log, expected);
  EXPECT_EQ(dialog.mainText, "y");
  EXPECT_EQ(dialog.childText, "d");
  // The error raised in PreTranslateMessage was reported once; the loop went on.
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, kInvalidArgReport);
  EXPECT_EQ(dialog.GetSafeHwnd(), (HWND)NULL);
  EXPECT_EQ(dialog.child.GetSafeHwnd(), (HWND)NULL);
}

TEST(ChildDialog, LivesInsidePlaceholderUntilParentGoes) {
  Log log;
  CDialogBase parent(IDD_FW_MAIN);
  ASSERT_TRUE(parent.Create(NULL));
  ChildDialog child(&log);
  HWND placeholder = parent.GetDlgItem(IDC_FW_PLACEHOLDER);
  ASSERT_TRUE(child.Create(placeholder));
  HWND hwnd = child.GetSafeHwnd();
  EXPECT_EQ(GetParent(hwnd), placeholder);
  EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(CDialogBase::FromHandle(hwnd), &child);
  EXPECT_NE(child.GetDlgItem(IDC_FW_CHILD_EDIT), (HWND)NULL);
  EXPECT_FALSE(child.Create(placeholder)) << "a second window for one object";

  parent.DestroyWindow();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(child.GetSafeHwnd(), (HWND)NULL);
  EXPECT_EQ(CDialogBase::FromHandle(hwnd), nullptr);
}

class RecordingDialog : public CDialogBase {
 public:
  RecordingDialog() : CDialogBase(IDD_FW_MAIN), brush(CreateSolidBrush(RGB(1, 2, 3))) {}
  Log log;
  GdiBrush brush;
  UINT_PTR destroyed = 0;

 protected:
  BOOL OnInitDialog() override {
    log.push_back("OnInitDialog");
    return TRUE;
  }
  bool OnTimer(UINT_PTR id) override { return Note("OnTimer " + std::to_string(id)); }
  bool OnHScroll(UINT code, UINT pos, HWND bar) override {
    return Note("OnHScroll " + std::to_string(code) + " " + std::to_string(pos) +
                (bar == GetDlgItem(IDC_FW_BUTTON) ? " button" : ""));
  }
  bool OnSize(UINT type, int cx, int cy) override {
    return Note("OnSize " + std::to_string(type) + " " + std::to_string(cx) + " " +
                std::to_string(cy));
  }
  bool OnSizing(UINT edge, RECT* rect) override {
    rect->right = rect->left + 500;
    return Note("OnSizing " + std::to_string(edge));
  }
  bool OnLButtonDown(UINT flags, POINT at) override {
    return Note("OnLButtonDown " + std::to_string(flags) + " " + std::to_string(at.x) + "," +
                std::to_string(at.y));
  }
  HBRUSH OnCtlColor(HDC, HWND, UINT kind) override {
    Note("OnCtlColor " + std::to_string(kind));
    return kind == CTLCOLOR_STATIC ? brush.Get() : NULL;
  }
  bool OnButtonClicked(int id) override {
    Note("OnButtonClicked " + std::to_string(id));
    return id == IDC_FW_BUTTON;
  }
  bool OnCommand(int id, int code, HWND) override {
    Note("OnCommand " + std::to_string(id) + " " + std::to_string(code));
    return id == IDC_FW_EDIT;
  }
  void OnOK() override { Note("OnOK"); }
  void OnCancel() override { Note("OnCancel"); }
  bool OnClose() override { return !Note("OnClose"); }
  bool OnDestroy() override { return Note("OnDestroy"); }
  bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
    if (msg != WM_APP + 5) return false;
    result = 77;
    return Note("OnMessage");
  }

 private:
  bool Note(const std::string& line) {
    log.push_back(line);
    return true;
  }
};

TEST(Dispatch, EachMessageReachesItsHandlerWithItsArguments) {
  RecordingDialog dialog;
  ASSERT_TRUE(dialog.Create(NULL));
  HWND hwnd = dialog.GetSafeHwnd();
  ASSERT_FALSE(dialog.log.empty());
  EXPECT_EQ(dialog.log.front(), "OnInitDialog");
  HWND button = dialog.GetDlgItem(IDC_FW_BUTTON);
  HWND edit = dialog.GetDlgItem(IDC_FW_EDIT);
  struct Case {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    Log expected;
  };
  const Case cases[] = {
      {WM_TIMER, 7, 0, {"OnTimer 7"}},
      {WM_HSCROLL,
       MAKEWPARAM(SB_THUMBPOSITION, 300),
       reinterpret_cast<LPARAM>(button),
       {"OnHScroll 4 300 button"}},
      {WM_SIZE, SIZE_RESTORED, MAKELPARAM(100, 50), {"OnSize 0 100 50"}},
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 20), {"OnLButtonDown 1 -5,20"}},
      {WM_COMMAND,
       MAKEWPARAM(IDC_FW_BUTTON, BN_CLICKED),
       reinterpret_cast<LPARAM>(button),
       {"OnButtonClicked 1104"}},
      {WM_COMMAND,
       MAKEWPARAM(IDC_FW_EDIT, EN_CHANGE),
       reinterpret_cast<LPARAM>(edit),
       {"OnCommand 1101 768"}},
      {WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0, {"OnButtonClicked 1", "OnCommand 1 0", "OnOK"}},
      {WM_CLOSE, 0, 0, {"OnClose", "OnCancel"}},
  };
  for (const Case& c : cases) {
    dialog.log.clear();
    SendMessageA(hwnd, c.msg, c.wParam, c.lParam);
    EXPECT_EQ(dialog.log, c.expected) << "message " << c.msg;
  }

  dialog.log.clear();
  EXPECT_EQ(SendMessageA(hwnd, WM_APP + 5, 0, 0), 77) << "a handler's result reaches the sender";
  WindowDc windowDc(hwnd);
  HDC dc = windowDc.Get();
  EXPECT_EQ(SendMessageA(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(edit)),
            reinterpret_cast<LRESULT>(dialog.brush.Get()));
  // No brush from the handler: the dialog's default colours, not ours.
  EXPECT_NE(SendMessageA(hwnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(hwnd)),
            reinterpret_cast<LRESULT>(dialog.brush.Get()));
  EXPECT_EQ(dialog.log, (Log{"OnMessage", "OnCtlColor 6", "OnCtlColor 4"}));

  RECT sizing = {10, 10, 20, 20};
  EXPECT_EQ(SendMessageA(hwnd, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&sizing)), TRUE);
  EXPECT_EQ(sizing.right, 510);

  dialog.log.clear();
  dialog.DestroyWindow();
  ASSERT_FALSE(dialog.log.empty());
  EXPECT_EQ(dialog.log.back(), "OnDestroy");  // after the edit's focus notice
}

// A control wrapper that counts the texts it is sent.
class TextCounter : public CSubclassWnd {
 public:
  int setTexts = 0;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM, LPARAM) override {
    if (msg == WM_SETTEXT) ++setTexts;
    return Default();
  }
};

class DataDialog : public CDialogBase {
 public:
  DataDialog() : CDialogBase(IDD_FW_MAIN) {}
  std::string strOne, strTwo, strEdit;
  TextCounter textOne;

 protected:
  void DoDataExchange(CDataExchange& dx) override {
    DDX_Control(dx, IDC_FW_TEXT1, textOne);
    DDX_Text(dx, IDC_FW_TEXT1, strOne);
    DDX_Text(dx, IDC_FW_TEXT2, strTwo);
    DDX_Text(dx, IDC_FW_EDIT, strEdit);
  }
};

TEST(DataExchange, OneCallPushesEveryMemberAndOnlyChangedTexts) {
  DataDialog dialog;
  ASSERT_TRUE(dialog.Create(NULL));
  HWND one = dialog.GetDlgItem(IDC_FW_TEXT1);
  HWND two = dialog.GetDlgItem(IDC_FW_TEXT2);
  dialog.strOne = " 00:00:01 / 00:00:12 ";
  dialog.strTwo = "N 35.123456";
  dialog.UpdateData(FALSE);
  EXPECT_EQ(TextOf(one), dialog.strOne);
  EXPECT_EQ(TextOf(two), dialog.strTwo);
  EXPECT_EQ(dialog.textOne.GetSafeHwnd(), one) << "DDX_Control binds the wrapper";
  EXPECT_EQ(dialog.textOne.setTexts, 1);

  dialog.UpdateData(FALSE);  // the same texts again: nothing is sent, nothing flickers
  EXPECT_EQ(dialog.textOne.setTexts, 1);
  dialog.strOne = " 00:00:02 / 00:00:12 ";
  dialog.UpdateData(FALSE);
  EXPECT_EQ(dialog.textOne.setTexts, 2);
  EXPECT_EQ(TextOf(one), dialog.strOne);

  dialog.strTwo = std::string(600, 'w');  // longer than the comparison buffer
  dialog.UpdateData(FALSE);
  EXPECT_EQ(TextOf(two), dialog.strTwo);

  SetWindowTextA(dialog.GetDlgItem(IDC_FW_EDIT), "typed");
  dialog.UpdateData(TRUE);
  EXPECT_EQ(dialog.strEdit, "typed");
  EXPECT_EQ(dialog.strTwo, std::string(600, 'w'));
  dialog.strEdit = "";  // what was pushed before the typing: sent again
  dialog.UpdateData(FALSE);
  EXPECT_EQ(TextOf(dialog.GetDlgItem(IDC_FW_EDIT)), "");
}

class ThrowingDialog : public CDialogBase {
 public:
  ThrowingDialog() : CDialogBase(IDD_FW_MAIN) {}
  int ticks = 0;

 protected:
  bool OnButtonClicked(int id) override {
    if (id == IDC_FW_BUTTON) throw CInvalidArgException("bad sidecar line");
    return false;
  }
  bool OnTimer(UINT_PTR) override {
    ++ticks;
    return true;
  }
  bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override {
    if (msg == WM_APP) throw std::runtime_error("boom");
    return false;
  }
};

TEST(ErrorReport, HandlerErrorIsReportedOnceAndTheWindowGoesOn) {
  testkit::TraceFile trace;
  testkit::MessageBoxRecorder boxes(IDOK);
  ThrowingDialog dialog;
  ASSERT_TRUE(dialog.Create(NULL));
  HWND hwnd = dialog.GetSafeHwnd();
  SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_FW_BUTTON, BN_CLICKED),
               reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDC_FW_BUTTON)));
  ASSERT_EQ(boxes.Calls().size(), 1u);
  const testkit::BoxCall& box = boxes.Calls()[0];
  EXPECT_EQ(box.text, "Encountered an improper argument.");
  EXPECT_EQ(box.caption, "PLAYER");
  EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(box.owner, hwnd);
  EXPECT_EQ(trace.Take(), "ERROR REPORT : Encountered an improper argument.\n");

  EXPECT_TRUE(IsWindow(hwnd));
  SendMessageA(hwnd, WM_TIMER, 1, 0);
  EXPECT_EQ(dialog.ticks, 1) << "the next message is handled as usual";
  EXPECT_EQ(boxes.Calls().size(), 1u);

  SendMessageA(hwnd, WM_APP, 0, 0);
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[1].text, "An unexpected error occurred: boom");
}

}  // namespace
