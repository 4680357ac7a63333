#include "framework_testkit_win.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "framework/Dialog_win.h"
#include "framework/MessageBox_win.h"

namespace testkit {

namespace {

void SetTraceVariable(const std::string& value) {
  // _putenv changes the C runtime's copy, which getenv reads, and the process's.
  std::string assignment = "PLAYER_TRACE_FILE=" + value;
  _putenv(assignment.c_str());
}

struct BoxState {
  int answer = IDOK;
  std::vector<BoxCall> calls;
  MessageBoxFn previous = nullptr;
};

BoxState& Boxes() {
  static BoxState state;
  return state;
}

int RecordBox(HWND owner, const char* text, const char* caption, UINT type) {
  Boxes().calls.push_back({owner, text ? text : "", caption ? caption : "", type});
  return Boxes().answer;
}

}  // namespace

TraceFile::TraceFile() {
  char dir[MAX_PATH] = {};
  char file[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  GetTempFileNameA(dir, "trc", 0, file);  // creates it empty
  path = file;
  SetTraceVariable(path);
}

TraceFile::~TraceFile() {
  SetTraceVariable("");
  DeleteFileA(path.c_str());
}

std::string TraceFile::Take() {
  std::string text;
  {
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc);
  return text;
}

MessageBoxRecorder::MessageBoxRecorder(int answer) {
  Boxes().answer = answer;
  Boxes().calls.clear();
  Boxes().previous = SetMessageBoxHandler(&RecordBox);
}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxHandler(Boxes().previous); }

const std::vector<BoxCall>& MessageBoxRecorder::Calls() const { return Boxes().calls; }

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) CDialogBase::RouteMessage(&msg);
    if (done && done()) return true;
    if (GetTickCount64() >= end) return done ? done() : true;
    MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) { PumpUntil(nullptr, ms); }

}  // namespace testkit
