#include "map_test_support_win.h"

#include "resources/resource.h"

#include <winsock2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "framework/MessageBox_win.h"

namespace maptest {

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE,
                              static_cast<DWORD>(std::min<ULONGLONG>(end - now, 20)), QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

ParentWindow::ParentWindow() {
  top = CreateWindowExA(0, "STATIC", "map test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 500,
                        400, NULL, NULL, GetModuleHandleA(NULL), nullptr);
  placeholder =
      CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 420, 380,
                      top, reinterpret_cast<HMENU>(IDC_MAP_AREA), GetModuleHandleA(NULL), nullptr);
}

ParentWindow::~ParentWindow() {
  if (top != NULL) DestroyWindow(top);
}

namespace {

std::vector<Box>& Recorded() {
  static std::vector<Box> boxes;
  return boxes;
}

int RecordBox(HWND owner, const char* text, const char* caption, UINT type) {
  Recorded().push_back(Box{owner, text ? text : "", caption ? caption : "", type});
  return IDOK;
}

}  // namespace

BoxRecorder::BoxRecorder() {
  Recorded().clear();
  SetMessageBoxHandler(&RecordBox);
}

BoxRecorder::~BoxRecorder() { SetMessageBoxHandler(nullptr); }

const std::vector<Box>& BoxRecorder::Boxes() const { return Recorded(); }

TraceRecorder::TraceRecorder() {
  char name[MAX_PATH] = "";
  GetTempFileNameA(TempFolder().c_str(), "mtr", 0, name);
  path = name;
  _putenv_s("PLAYER_TRACE_FILE", path.c_str());
}

TraceRecorder::~TraceRecorder() {
  _putenv_s("PLAYER_TRACE_FILE", "");
  DeleteFileA(path.c_str());
}

std::string TraceRecorder::Text() const { return ReadFile(path); }

FakeRuntime::FakeRuntime(const std::string& dllPath) {
  HMODULE module = LoadLibraryA(dllPath.c_str());  // stays loaded: the host keeps it too
  if (module == NULL) return;
  log = reinterpret_cast<const char* (*)()>(
      reinterpret_cast<void*>(GetProcAddress(module, "FakeWebView2Log")));
  reset = reinterpret_cast<void (*)()>(
      reinterpret_cast<void*>(GetProcAddress(module, "FakeWebView2Reset")));
  fail = reinterpret_cast<void (*)(const char*, HRESULT)>(
      reinterpret_cast<void*>(GetProcAddress(module, "FakeWebView2Fail")));
  if (!log || !reset || !fail) log = nullptr;
}

namespace {

struct Winsock {
  Winsock() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~Winsock() { WSACleanup(); }
};

// A socket bound to 127.0.0.1 on a free port; the port through `port`.
SOCKET BindLoopback(int& port) {
  static Winsock winsock;
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    port = 0;
    return s;
  }
  port = ntohs(address.sin_port);
  return s;
}

}  // namespace

LoopbackListener::LoopbackListener() {
  SOCKET s = BindLoopback(port);
  socket = s;
  if (s != INVALID_SOCKET && listen(s, 8) != 0) port = 0;
}

LoopbackListener::~LoopbackListener() {
  if (socket != INVALID_SOCKET) closesocket(socket);
}

int ClosedLoopbackPort() {
  int port = 0;
  SOCKET s = BindLoopback(port);
  if (s != INVALID_SOCKET) closesocket(s);
  return port;
}

std::string TempFolder() {
  char path[MAX_PATH + 1] = "";
  DWORD n = GetTempPathA(sizeof path, path);
  return std::string(path, n);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace maptest
