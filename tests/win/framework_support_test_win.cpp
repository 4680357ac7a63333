// The framework's small parts under Wine: the trace file, subclassing, the
// replaceable message box and the handle owners.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "framework/ExceptionReport_win.h"
#include "framework/MessageBox_win.h"
#include "framework/Owners_win.h"
#include "framework/Subclass_win.h"
#include "framework/Trace_win.h"
#include "framework_testkit_win.h"

namespace {

TEST(Trace, EveryTraceIsAppendedByteForByte) {
  testkit::TraceFile trace;
  { std::ofstream(trace.Path(), std::ios::binary) << "before\n"; }
  TraceText("\r\n\r\n ===> Video Release <===");
  TraceFormat("[%s] \r\n [%d]", "a.MP4", 12);
  TraceText("\x83\x72\x83\x66\x83\x49");  // code page 932 bytes pass unchanged
  TraceText(nullptr);
  EXPECT_EQ(trace.Take(),
            "before\n\r\n\r\n ===> Video Release <===[a.MP4] \r\n [12]\x83\x72\x83\x66\x83\x49");

  // A formatted trace longer than its buffer is cut, not overrun.
  const std::string longText(5000, 'z');
  TraceFormat("%s", longText.c_str());
  const std::string cut = trace.Take();
  EXPECT_GT(cut.size(), 1000u);
  EXPECT_LT(cut.size(), longText.size());
  EXPECT_EQ(cut, std::string(cut.size(), 'z'));
}

TEST(Trace, NothingIsWrittenWithoutTheVariable) {
  std::string path;
  {
    testkit::TraceFile trace;
    path = trace.Path();
  }
  std::ofstream(path, std::ios::binary);  // the file exists again, empty
  TraceText("not for the file");
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(in.peek(), std::ifstream::traits_type::eof());
  in.close();
  DeleteFileA(path.c_str());
}

// Counts the texts an edit control is sent; can be told to fail.
class Counter : public CSubclassWnd {
 public:
  int setTexts = 0;
  bool fail = false;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM, LPARAM) override {
    if (msg == WM_SETTEXT) {
      ++setTexts;
      if (fail) throw CInvalidArgException();
    }
    return Default();
  }
};

std::string TextOf(HWND hwnd) {
  char text[256] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

TEST(Subclass, SeesMessagesFirstAndPassesThemOn) {
  testkit::MessageBoxRecorder boxes(IDOK);
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, NULL, NULL, NULL, NULL);
  ASSERT_NE(edit, (HWND)NULL);
  Counter counter;
  ASSERT_TRUE(counter.Attach(edit));
  Counter second;
  EXPECT_FALSE(second.Attach(edit)) << "one wrapper per window";
  EXPECT_FALSE(counter.Attach(edit));

  SetWindowTextA(edit, "one");
  EXPECT_EQ(counter.setTexts, 1);
  EXPECT_EQ(TextOf(edit), "one") << "Default() runs the control's own processing";

  counter.fail = true;  // an error in the wrapper: reported, and the control still works
  SetWindowTextA(edit, "two");
  EXPECT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(TextOf(edit), "two");
  counter.fail = false;

  counter.Detach();
  SetWindowTextA(edit, "three");
  EXPECT_EQ(counter.setTexts, 2);
  EXPECT_TRUE(second.Attach(edit)) << "free again after Detach";
  DestroyWindow(edit);
  EXPECT_EQ(second.GetSafeHwnd(), (HWND)NULL) << "a destroyed control lets its wrapper go";
}

int AnswerNo(HWND, const char*, const char*, UINT) { return IDNO; }

TEST(MessageBox, ReplacementAnswersAndCanBeTakenBack) {
  MessageBoxFn before = SetMessageBoxHandler(&AnswerNo);
  EXPECT_EQ(ShowMessageBox(NULL, "text", kAppTitle, MB_YESNO), IDNO);
  {
    testkit::MessageBoxRecorder boxes(IDYES);
    EXPECT_EQ(ShowMessageBox(NULL, "asked", kAppTitle, MB_YESNO), IDYES);
    EXPECT_EQ(boxes.Calls().size(), 1u);
  }
  EXPECT_EQ(SetMessageBoxHandler(before), &AnswerNo) << "the recorder put the previous one back";
}

TEST(Owners, EachHandleIsFreedExactlyOnceByItsOwner) {
  HBRUSH raw = CreateSolidBrush(RGB(0, 0, 0));
  {
    GdiBrush first(raw);
    GdiBrush second(std::move(first));
    EXPECT_EQ(first.Get(), (HBRUSH)NULL);
    EXPECT_EQ(second.Get(), raw);
    EXPECT_NE(GetObjectType(raw), 0u);
  }
  EXPECT_EQ(GetObjectType(raw), 0u) << "deleted when its owner went";

  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  GdiPen penOwner(pen);
  {
    MemoryDc dc(NULL);
    HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_PEN);
    {
      SelectedObject selected(dc.Get(), pen);
      EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen);
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), original) << "the previous pen is back";
  }
  penOwner.Reset();
  EXPECT_EQ(GetObjectType(pen), 0u);

  ComPtr<IUnknown> none;
  EXPECT_EQ(QueryInto(nullptr, IID_IUnknown, none), E_POINTER);
  EXPECT_FALSE(none);
}

}  // namespace
