// player-driver: drives the viewer from outside, as a user would, and reports what
// it sees as lines of text for the end-to-end scripts.
//
//   player-driver [--script FILE]    commands from FILE, else from standard input
//
// One command per line; blank lines and lines starting with # are skipped. Tokens
// are separated by spaces; a token in double quotes may hold spaces, \" and \\.
// Every output line starts with "t=<ms since the driver started> ". Each command
// ends with "done <verb>" or "fail <verb> <reason>", so a script can talk to the
// driver line by line. Texts are printed in double quotes with \\, \", \r, \n and
// \xHH escapes.
//
// Commands:
//   env NAME VALUE              set a variable that the player will inherit
//   start EXE [TAIL]            start "EXE" TAIL (TAIL as it is: the clip and second)
//   wait-player MS              wait for the visible main window (title PLAYER, with a time text)
//   read ITEM...                read items once (see below)
//   snap ITEM...                read items between two equal readings of the time text
//   sample N ITEM...            a snapshot once a second for N seconds
//   watch MS PERIOD [until ITEM=TEXT|ITEM~PART] ITEM...
//                               snap every PERIOD ms, print each snapshot that differs from
//                               the one before; stop after MS, when the item has that text
//                               (or contains that part), or when the player ends
//   click ID                    post BM_CLICK to button ID
//   pointer ID                  move the mouse pointer to the middle of control ID
//   click-at X Y                a real left click at X,Y of the window's client area
//   slide SECOND                what the seek slider reports when its thumb is let go at
//                               SECOND (WM_HSCROLL SB_THUMBPOSITION)
//   pair                        the other camera's panels: "panel=X,Y,W,H,VISIBLE" each
//   command ID [CODE]           post WM_COMMAND (ID, CODE, default BN_CLICKED) to the window
//   select-row N / dblclick-row N
//                               select playlist row N (and report LBN_DBLCLK to the window)
//   rows                        playlist rows: display text, hidden path, selection
//   open-file PATH MS [refused] answer the player's file dialog with PATH; with
//                               "refused", expect the player's message box over it,
//                               print and close it, then cancel the dialog
//   open-file PATH MS answer BUTTON [HOLD]
//                               the same, but the box over the dialog is answered with
//                               BUTTON (1 OK, 6 Yes, 7 No) after HOLD ms, and the dialog
//                               is left as the player leaves it: "file-dialog open=0|1"
//   cancel-file MS              cancel the player's file dialog
//   ctrl KEY                    type Ctrl+KEY into the player's window (real input)
//   key KEY [shift] [ctrl]      press and release KEY in the player's window (real input):
//                               a name (Left Right Up Down Home End PgUp PgDn Space Enter
//                               Esc F1), a decimal virtual-key code, or one character
//                               (typed as the keyboard layout types it, e.g. "?" or ",")
//   key-hold KEY MS             hold KEY down for MS ms with auto-repeats every 33 ms
//   drop PATH...                drop files and folders on the player's window (WM_DROPFILES
//                               with a DROPFILES block of wide paths made in its process)
//   answer-box BUTTON MS        wait for a message box of the player, print its texts,
//                               press BUTTON (6 Yes, 7 No, 1 OK)
//   windows                     the player's top-level windows and their first children
//   resize W H | resize-client W H
//                               size the window (outer or client size) through WM_SIZING
//   resize-burst N MS           what dragging a window edge sends: N sizes MS apart,
//                               40 x 30 pixels smaller and back in turn
//   rects ID...                 control rectangles in the window's client coordinates
//   client                      the window's outer and client size
//   paint-time N                N forced repaints, each timed (UpdateWindow round trip)
//   relayout-time W H           client size W x H and the repaint that lays out, timed as
//                               one round trip
//   times                       the player's CPU times (GetProcessTimes; under Wine only a
//                               process's own times are real, so the scripts read /proc)
//   temp                        the temporary folder (GetTempPathA)
//   file NAME                   contents of NAME in the player's map folder under the
//                               temporary folder (TEMP\player-PID\), or of a full path
//   mark TEXT / sleep MS
//   close MS / wait-exit MS / kill
//   quit
//
// Items: a control id (its window text), pos (slider position), max (slider maximum),
// video (the engine window inside the video area is visible: 1/0), sel and count (playlist),
// caption:ID (a button's caption, same as ID), file:NAME (a file of the player's map folder).
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "TopWindow_win.h"
#include "framework/Owners_win.h"
#include "resources/resource.h"

namespace {

// ---- time and output ----

LARGE_INTEGER clockStart, clockFrequency;

long long NowMs() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return (now.QuadPart - clockStart.QuadPart) * 1000 / clockFrequency.QuadPart;
}

long long NowUs() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return (now.QuadPart - clockStart.QuadPart) * 1000000 / clockFrequency.QuadPart;
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X", c);
          out += hex;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

// Flushed per line: the caller may be waiting for exactly this line.
void Emit(const std::string& line) {
  std::printf("t=%lld %s\n", NowMs(), line.c_str());
  std::fflush(stdout);
}

// ---- command parsing ----

std::vector<std::string> Tokens(const std::string& line) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i >= line.size()) break;
    std::string token;
    if (line[i] == '"') {
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\'))
          ++i;
        token += line[i];
      }
      ++i;  // closing quote
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
        token += line[i++];
    }
    out.push_back(token);
  }
  return out;
}

long Number(const std::string& text, long fallback) {
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 0);
  return (end == text.c_str() || *end) ? fallback : v;
}

// ---- the player process and its windows ----

KernelHandle job;
KernelHandle process;
DWORD processId = 0;
HWND mainWindow = NULL;

bool PlayerRunning() {
  return process.Get() && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

// Another process's window text: WM_GETTEXT is copied across processes.
std::string TextOf(HWND hwnd) {
  if (!hwnd) return "";
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 3000, &length))
    return "";
  std::string text(length + 1, '\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                           SMTO_ABORTIFHUNG, 3000, &got))
    return "";
  text.resize(got < text.size() ? got : text.size() - 1);
  return text;
}

LRESULT Ask(HWND hwnd, UINT msg, WPARAM w, LPARAM l, LRESULT fallback) {
  DWORD_PTR result = 0;
  if (!hwnd || !SendMessageTimeoutA(hwnd, msg, w, l, SMTO_ABORTIFHUNG, 3000, &result))
    return fallback;
  return static_cast<LRESULT>(result);
}

// Top-level windows of the player process.
std::vector<HWND> PlayerTopWindows() {
  struct Collect {
    DWORD pid;
    std::vector<HWND> found;
  } collect{processId, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        Collect& c = *reinterpret_cast<Collect*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == c.pid) c.found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&collect));
  return collect.found;
}

HWND FindMainWindow() {
  for (HWND hwnd : PlayerTopWindows())
    if (IsWindowVisible(hwnd) && GetDlgItem(hwnd, IDC_TIME_TEXT) && TextOf(hwnd) == "PLAYER")
      return hwnd;
  return NULL;
}

// A visible dialog of the player other than the main window that holds control `id`.
HWND FindDialogWith(int id) {
  for (HWND hwnd : PlayerTopWindows())
    if (hwnd != mainWindow && IsWindowVisible(hwnd) && ClassOf(hwnd) == "#32770" &&
        GetDlgItem(hwnd, id) && !GetDlgItem(hwnd, IDC_TIME_TEXT))
      return hwnd;
  return NULL;
}

HWND Control(int id) { return mainWindow ? GetDlgItem(mainWindow, id) : NULL; }

// The video area's child that holds the video surface (a pair's panels lie above it).
HWND EngineWindow() {
  HWND host = Control(IDC_VIDEO_AREA);
  for (HWND child = host ? GetWindow(host, GW_CHILD) : NULL; child != NULL;
       child = GetWindow(child, GW_HWNDNEXT))
    if (GetDlgItem(child, IDC_MEDIALIB_VIDEO) != NULL) return child;
  return NULL;
}

// A list box row of another process. The wide form: Wine copies the ANSI form of
// LB_GETTEXT across processes as wide text (and faults in the timeout variant).
std::string ListText(HWND list, int index) {
  DWORD_PTR length = 0;
  if (!list ||
      !SendMessageTimeoutW(list, LB_GETTEXTLEN, index, 0, SMTO_ABORTIFHUNG, 3000, &length) ||
      static_cast<LRESULT>(length) == LB_ERR)
    return "";
  std::wstring wide(length + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&wide[0]),
                           SMTO_ABORTIFHUNG, 3000, &got) ||
      static_cast<LRESULT>(got) == LB_ERR)
    return "";
  wide.resize(got < wide.size() ? got : wide.size() - 1);
  if (wide.empty()) return "";
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), NULL,
                                        0, NULL, NULL);
  std::string text(bytes > 0 ? bytes : 0, '\0');
  if (bytes > 0)
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], bytes,
                        NULL, NULL);
  return text;
}

std::string TempFolder() {
  char path[MAX_PATH + 1] = {};
  GetTempPathA(sizeof path, path);
  return path;
}

bool ReadWholeFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::string FilePath(const std::string& name) {
  const bool full = name.find('\\') != std::string::npos || name.find('/') != std::string::npos;
  // The player writes its map files into a folder of its own: TEMP\player-PID\.
  return full ? name : TempFolder() + "player-" + std::to_string(processId) + "\\" + name;
}

// One item's value, quoted, or a bare number.
std::string ReadItem(const std::string& item) {
  if (item == "pos") return std::to_string(Ask(Control(IDC_SEEK_SLIDER), TBM_GETPOS, 0, 0, -1));
  if (item == "max")
    return std::to_string(Ask(Control(IDC_SEEK_SLIDER), TBM_GETRANGEMAX, 0, 0, -1));
  if (item == "video") {
    HWND engine = EngineWindow();
    return engine ? (IsWindowVisible(engine) ? "1" : "0") : "none";
  }
  if (item == "sel") return std::to_string(Ask(Control(IDC_PLAYLIST), LB_GETCURSEL, 0, 0, -2));
  if (item == "count") return std::to_string(Ask(Control(IDC_PLAYLIST), LB_GETCOUNT, 0, 0, -2));
  if (item.compare(0, 5, "file:") == 0) {
    std::string text;
    return ReadWholeFile(FilePath(item.substr(5)), text) ? Quote(text) : "missing";
  }
  const std::string id = item.compare(0, 8, "caption:") == 0 ? item.substr(8) : item;
  HWND control = Control(static_cast<int>(Number(id, 0)));
  return control ? Quote(TextOf(control)) : "nocontrol";
}

std::string ReadItems(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += " " + item + "=" + ReadItem(item);
  return out;
}

// The items between two equal readings of the time text, so that they all belong to
// the same tick (the player updates every text within one message).
std::string Snapshot(const std::vector<std::string>& items, bool& stable) {
  std::string body;
  for (int attempt = 0; attempt < 5; ++attempt) {
    const std::string before = TextOf(Control(IDC_TIME_TEXT));
    body = ReadItems(items);
    stable = TextOf(Control(IDC_TIME_TEXT)) == before;
    if (stable) break;
  }
  return body;
}

// ---- commands ----

std::string CpuTimes() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process.Get(), &created, &exited, &kernel, &user)) return "";
  auto ms = [](const FILETIME& f) {
    return ((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000;
  };
  char line[128];
  std::snprintf(line, sizeof line, "cpu user_ms=%llu kernel_ms=%llu", ms(user), ms(kernel));
  return line;
}

bool Start(const std::vector<std::string>& args, std::string& why) {
  if (args.size() < 2) return why = "usage: start EXE [TAIL]", false;
  std::string command = "\"" + args[1] + "\"";
  if (args.size() > 2) command += " " + args[2];
  // The player goes when the driver goes, even if the script forgets to close it.
  job.Reset(CreateJobObjectA(NULL, NULL));
  if (job.Get()) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(args[1].c_str(), &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
    return why = "CreateProcess error " + std::to_string(GetLastError()), false;
  process.Reset(pi.hProcess);
  KernelHandle thread(pi.hThread);
  processId = pi.dwProcessId;
  mainWindow = NULL;
  if (job.Get()) AssignProcessToJobObject(job.Get(), process.Get());
  Emit("started pid=" + std::to_string(processId) + " command=" + Quote(command));
  return true;
}

bool WaitPlayer(long timeoutMs, std::string& why) {
  const long long end = NowMs() + timeoutMs;
  while (!(mainWindow = FindMainWindow())) {
    if (!PlayerRunning()) return why = "player ended", false;
    if (NowMs() >= end) return why = "no main window", false;
    Sleep(50);
  }
  RECT w, c;
  GetWindowRect(mainWindow, &w);
  GetClientRect(mainWindow, &c);
  char line[160];
  std::snprintf(line, sizeof line, "player window=%ld,%ld,%ld,%ld client=%ld,%ld", w.left, w.top,
                w.right - w.left, w.bottom - w.top, c.right, c.bottom);
  Emit(line);
  return true;
}

bool Watch(const std::vector<std::string>& args, std::string& why) {
  if (args.size() < 4)
    return why = "usage: watch MS PERIOD [until ITEM=TEXT|ITEM~PART] ITEM...", false;
  const long long end = NowMs() + Number(args[1], 0);
  const long period = Number(args[2], 250);
  size_t first = 3;
  std::string untilItem, untilValue;
  bool untilContains = false;
  if (args[3] == "until" && args.size() >= 6) {
    const size_t eq = args[4].find_first_of("=~");
    if (eq == std::string::npos) return why = "until needs ITEM=TEXT or ITEM~TEXT", false;
    untilItem = args[4].substr(0, eq);
    untilValue = args[4].substr(eq + 1);
    untilContains = args[4][eq] == '~';
    first = 5;
  }
  std::vector<std::string> items(args.begin() + first, args.end());
  std::string last;
  for (;;) {
    if (!PlayerRunning()) {
      DWORD code = 0;
      GetExitCodeProcess(process.Get(), &code);
      Emit("exited code=" + std::to_string(code));
      return true;
    }
    bool stable = false;
    const std::string body = Snapshot(items, stable);
    if (body != last) {
      Emit(std::string("snap stable=") + (stable ? "1" : "0") + body);
      last = body;
    }
    if (!untilItem.empty()) {
      const std::string value = ReadItem(untilItem);
      const bool hit = untilContains ? value.find(untilValue) != std::string::npos
                                     : value == untilValue || value == Quote(untilValue);
      if (hit) return true;
    }
    if (NowMs() >= end) return true;
    Sleep(period);
  }
}

bool ClickButton(int id, std::string& why) {
  HWND button = Control(id);
  if (!button) return why = "no control " + std::to_string(id), false;
  PostMessageA(button, BM_CLICK, 0, 0);
  return true;
}

bool PointAt(int id, std::string& why) {
  HWND control = Control(id);
  if (!control) return why = "no control " + std::to_string(id), false;
  RECT r;
  GetWindowRect(control, &r);
  // Two steps, so the control sees the pointer arrive and move.
  SetCursorPos((r.left + r.right) / 2 - 2, (r.top + r.bottom) / 2);
  Sleep(50);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  return true;
}

// A real left click at (x, y) of the main window's client area, through the
// input queue, so the window under the pointer takes it (a video as well).
bool ClickAt(int x, int y, std::string& why) {
  if (!mainWindow) return why = "no main window", false;
  POINT at{x, y};
  ClientToScreen(mainWindow, &at);
  SetCursorPos(at.x, at.y);
  Sleep(50);
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  if (SendInput(2, press, sizeof(INPUT)) != 2) return why = "input refused", false;
  return true;
}

bool Slide(int second, std::string& why) {
  HWND slider = Control(IDC_SEEK_SLIDER);
  if (!slider) return why = "no slider", false;
  Ask(slider, TBM_SETPOS, TRUE, second, 0);
  PostMessageA(mainWindow, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, second),
               reinterpret_cast<LPARAM>(slider));
  return true;
}

bool PostCommand(int id, int code, std::string& why) {
  if (!mainWindow) return why = "no main window", false;
  PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Control(id)));
  return true;
}

bool SelectRow(int row, bool play, std::string& why) {
  HWND list = Control(IDC_PLAYLIST);
  if (!list) return why = "no playlist", false;
  if (Ask(list, LB_SETCURSEL, row, 0, LB_ERR) == LB_ERR) return why = "no such row", false;
  // What a double-click on the row reports to the window.
  if (play) PostCommand(IDC_PLAYLIST, LBN_DBLCLK, why);
  return true;
}

void Rows() {
  HWND list = Control(IDC_PLAYLIST), paths = Control(IDC_PATH_LIST);
  const LRESULT count = Ask(list, LB_GETCOUNT, 0, 0, 0);
  Emit("rows count=" + std::to_string(count) +
       " sel=" + std::to_string(Ask(list, LB_GETCURSEL, 0, 0, -2)) +
       " paths=" + std::to_string(Ask(paths, LB_GETCOUNT, 0, 0, 0)));
  for (LRESULT i = 0; i < count; ++i)
    Emit("row " + std::to_string(i) + " text=" + Quote(ListText(list, static_cast<int>(i))) +
         " path=" + Quote(ListText(paths, static_cast<int>(i))));
}

// The file name field of the explorer-style dialog (edt1), or the edit inside its
// combo box (cmb13) on systems that show one.
HWND FileNameField(HWND dialog) {
  if (HWND combo = GetDlgItem(dialog, 0x47C)) {
    if (HWND edit = FindWindowExA(combo, NULL, "Edit", NULL)) return edit;
    return combo;
  }
  return GetDlgItem(dialog, 0x480);
}

bool WaitDialog(int id, long timeoutMs, HWND& dialog, std::string& why) {
  const long long end = NowMs() + timeoutMs;
  while (!(dialog = FindDialogWith(id))) {
    if (!PlayerRunning()) return why = "player ended", false;
    if (NowMs() >= end) return why = "no dialog", false;
    Sleep(50);
  }
  return true;
}

bool WaitGone(HWND window, long timeoutMs) {
  const long long end = NowMs() + timeoutMs;
  while (IsWindow(window) && IsWindowVisible(window)) {
    if (NowMs() >= end) return false;
    Sleep(50);
  }
  return true;
}

// The texts of a message box's static controls, joined by "|".
std::string BoxText(HWND box) {
  std::string texts;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (ClassOf(child) == "Static") {
      const std::string text = TextOf(child);
      if (!text.empty()) texts += (texts.empty() ? "" : "|") + text;
    }
  return texts;
}

// Waits until `end` for a visible dialog of the player (not the main window) that
// `fits`; "player ended" or `missing` in why otherwise.
bool WaitPlayerDialog(const std::function<bool(HWND)>& fits, long long end, const char* missing,
                      HWND& dialog, std::string& why) {
  for (dialog = NULL;;) {
    for (HWND hwnd : PlayerTopWindows())
      if (hwnd != mainWindow && IsWindowVisible(hwnd) && ClassOf(hwnd) == "#32770" && fits(hwnd))
        dialog = hwnd;
    if (dialog) return true;
    if (!PlayerRunning()) return why = "player ended", false;
    if (NowMs() >= end) return why = missing, false;
    Sleep(50);
  }
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool OpenFile(const std::vector<std::string>& args, std::string& why) {
  if (args.size() < 3) return why = "usage: open-file PATH MS", false;
  const long long end = NowMs() + Number(args[2], 10000);
  HWND dialog = NULL;
  if (!WaitPlayerDialog([](HWND hwnd) { return FileNameField(hwnd) != NULL; }, end,
                        "no file dialog", dialog, why))
    return false;
  Emit("file-dialog title=" + Quote(TextOf(dialog)) +
       " offered=" + Quote(TextOf(FileNameField(dialog))));
  Ask(FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[1].c_str()), 0);
  PressButton(dialog, IDOK);
  const bool answer = args.size() > 4 && args[3] == "answer";
  if (answer || (args.size() > 3 && args[3] == "refused")) {
    // The player answers with a message box over the dialog, which stays open.
    HWND box = NULL;
    auto isBox = [&](HWND hwnd) {
      return hwnd != dialog && (GetDlgItem(hwnd, IDOK) || GetDlgItem(hwnd, IDYES)) &&
             !FileNameField(hwnd);
    };
    if (!WaitPlayerDialog(isBox, end, "no message box", box, why)) return false;
    Emit("box text=" + Quote(BoxText(box)));
    if (answer) Sleep(static_cast<DWORD>(Number(args.size() > 5 ? args[5] : "", 0)));
    PressButton(box, answer ? static_cast<int>(Number(args[4], IDOK)) : IDOK);
    WaitGone(box, 5000);
    if (answer) {
      // A dialog that closes does so at once; one that stays is left to the next command.
      const bool open = !WaitGone(dialog, 1500);
      Emit(std::string("file-dialog open=") + (open ? "1" : "0"));
      return true;
    }
    PressButton(dialog, IDCANCEL);
  }
  if (!WaitGone(dialog, end - NowMs() > 2000 ? static_cast<long>(end - NowMs()) : 2000))
    return why = "file dialog still open", false;
  return true;
}

bool TypeCtrl(const std::vector<std::string>& args, std::string& why) {
  if (args.size() < 2 || args[1].size() != 1) return why = "usage: ctrl KEY", false;
  SetForegroundWindow(mainWindow);
  const WORD key = static_cast<WORD>(toupper(static_cast<unsigned char>(args[1][0])));
  INPUT keys[4] = {};
  const WORD codes[4] = {VK_CONTROL, key, key, VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  if (SendInput(4, keys, sizeof(INPUT)) != 4) return why = "input refused", false;
  return true;
}

WORD NamedKey(const std::string& name, bool& shift) {
  static const struct {
    const char* name;
    WORD key;
  } kNames[] = {{"Left", VK_LEFT},   {"Right", VK_RIGHT}, {"Up", VK_UP},       {"Down", VK_DOWN},
                {"Home", VK_HOME},   {"End", VK_END},     {"PgUp", VK_PRIOR},  {"PgDn", VK_NEXT},
                {"Space", VK_SPACE}, {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}, {"F1", VK_F1}};
  for (const auto& n : kNames)
    if (name == n.name) return n.key;
  if (name.size() == 1) {  // as the layout types it: its key and whether it needs Shift
    const SHORT scan = VkKeyScanA(name[0]);
    if (scan == -1) return 0;
    if (scan & 0x100) shift = true;
    return static_cast<WORD>(scan & 0xFF);
  }
  const long code = std::strtol(name.c_str(), nullptr, 10);
  return code > 0 && code < 256 ? static_cast<WORD>(code) : 0;
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (key >= VK_PRIOR && key <= VK_DOWN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  return input;
}

// The player's window in front, unless one of its windows (the full-screen
// video, the key sheet) already is.
void FocusPlayer() {
  DWORD owner = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &owner);
  if (owner != processId) SetForegroundWindow(mainWindow);
}

// Real input to the foreground window, so the player's message loop (and its
// PreTranslateMessage) sees the keys as a user's.
bool PressKey(const std::vector<std::string>& args, std::string& why) {
  if (args.size() < 2) return why = "usage: key KEY [shift] [ctrl]", false;
  bool shift = false, ctrl = false;
  const WORD key = NamedKey(args[1], shift);
  if (key == 0) return why = "unknown key " + args[1], false;
  for (size_t i = 2; i < args.size(); ++i) {
    shift = shift || args[i] == "shift";
    ctrl = ctrl || args[i] == "ctrl";
  }
  FocusPlayer();
  std::vector<INPUT> keys;
  if (ctrl) keys.push_back(KeyInput(VK_CONTROL, false));
  if (shift) keys.push_back(KeyInput(VK_SHIFT, false));
  keys.push_back(KeyInput(key, false));
  keys.push_back(KeyInput(key, true));
  if (shift) keys.push_back(KeyInput(VK_SHIFT, true));
  if (ctrl) keys.push_back(KeyInput(VK_CONTROL, true));
  const UINT count = static_cast<UINT>(keys.size());
  if (SendInput(count, keys.data(), sizeof(INPUT)) != count) return why = "input refused", false;
  return true;
}

bool HoldKey(const std::vector<std::string>& args, std::string& why) {
  if (args.size() < 3) return why = "usage: key-hold KEY MS", false;
  bool shift = false;
  const WORD key = NamedKey(args[1], shift);
  if (key == 0) return why = "unknown key " + args[1], false;
  FocusPlayer();
  const long long end = NowMs() + Number(args[2], 1000);
  int downs = 0;
  do {  // a held key sends key-downs again and again, one key-up at the end
    INPUT down = KeyInput(key, false);
    SendInput(1, &down, sizeof(INPUT));
    ++downs;
    Sleep(33);
  } while (NowMs() < end);
  INPUT up = KeyInput(key, true);
  SendInput(1, &up, sizeof(INPUT));
  Emit("held downs=" + std::to_string(downs));
  return true;
}

// A drop's block lives in the player's own memory: a handle made here would
// mean nothing there. The block is fixed memory, so its address is its handle.
bool DropFiles(const std::vector<std::string>& args, std::string& why) {
  if (args.size() < 2) return why = "usage: drop PATH...", false;
  std::vector<wchar_t> names;
  for (size_t i = 1; i < args.size(); ++i) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, args[i].c_str(), -1, NULL, 0);
    const size_t at = names.size();
    names.resize(at + static_cast<size_t>(length));
    MultiByteToWideChar(CP_UTF8, 0, args[i].c_str(), -1, &names[at], length);
  }
  names.push_back(L'\0');  // the list ends with an empty name
  DROPFILES head = {};
  head.pFiles = sizeof(DROPFILES);
  head.fWide = TRUE;
  std::vector<char> block(sizeof head + names.size() * sizeof(wchar_t));
  std::memcpy(block.data(), &head, sizeof head);
  std::memcpy(block.data() + sizeof head, names.data(), names.size() * sizeof(wchar_t));
  void* remote = VirtualAllocEx(process.Get(), NULL, block.size(), MEM_COMMIT | MEM_RESERVE,
                                PAGE_READWRITE);
  if (remote == NULL) return why = "no memory in the player", false;
  if (!WriteProcessMemory(process.Get(), remote, block.data(), block.size(), NULL))
    return why = "could not write the drop", false;
  if (!PostMessageA(mainWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0))
    return why = "drop not posted", false;
  return true;
}

bool CancelFile(const std::vector<std::string>& args, std::string& why) {
  const long long end = NowMs() + Number(args.size() > 1 ? args[1] : "", 10000);
  HWND dialog = NULL;
  if (!WaitPlayerDialog([](HWND hwnd) { return FileNameField(hwnd) != NULL; }, end,
                        "no file dialog", dialog, why))
    return false;
  Emit("file-dialog title=" + Quote(TextOf(dialog)));
  PressButton(dialog, IDCANCEL);
  if (!WaitGone(dialog, 5000)) return why = "file dialog still open", false;
  return true;
}

bool AnswerBox(const std::vector<std::string>& args, std::string& why) {
  if (args.size() < 3) return why = "usage: answer-box BUTTON MS", false;
  const int button = static_cast<int>(Number(args[1], IDNO));
  HWND box = NULL;
  if (!WaitDialog(button, Number(args[2], 10000), box, why)) return false;
  Emit("box caption=" + Quote(TextOf(box)) + " text=" + Quote(BoxText(box)));
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
  if (!WaitGone(box, 5000)) return why = "box still open", false;
  return true;
}

void ReportSize() {
  RECT w, c;
  GetWindowRect(mainWindow, &w);
  GetClientRect(mainWindow, &c);
  char line[160];
  std::snprintf(line, sizeof line, "size window=%ld,%ld client=%ld,%ld", w.right - w.left,
                w.bottom - w.top, c.right, c.bottom);
  Emit(line);
}

// What the player has on screen, for diagnosing a run that went astray.
void ListWindows() {
  for (HWND hwnd : PlayerTopWindows()) {
    std::string children;
    int count = 0;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child && count < 12;
         child = GetWindow(child, GW_HWNDNEXT), ++count)
      children += " " + std::to_string(GetDlgCtrlID(child)) + ":" + ClassOf(child);
    Emit("window class=" + Quote(ClassOf(hwnd)) + " text=" + Quote(TextOf(hwnd)) +
         " visible=" + (IsWindowVisible(hwnd) ? "1" : "0") + " children=" + Quote(children));
  }
}

// Sizing as a drag of the bottom-right corner: the window may correct the proposed
// rectangle (minimum size), then it is applied.
bool Resize(int width, int height, bool client, bool report, std::string& why) {
  if (!mainWindow) return why = "no main window", false;
  RECT w, c;
  GetWindowRect(mainWindow, &w);
  GetClientRect(mainWindow, &c);
  if (client) {
    width += (w.right - w.left) - c.right;
    height += (w.bottom - w.top) - c.bottom;
  }
  RECT proposed = {w.left, w.top, w.left + width, w.top + height};
  DWORD_PTR result = 0;
  SendMessageTimeoutA(mainWindow, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed),
                      SMTO_ABORTIFHUNG, 5000, &result);
  SetWindowPos(mainWindow, NULL, proposed.left, proposed.top, proposed.right - proposed.left,
               proposed.bottom - proposed.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (report) ReportSize();
  return true;
}

bool ResizeBurst(int count, long gapMs, std::string& why) {
  if (!mainWindow) return why = "no main window", false;
  RECT w;
  GetWindowRect(mainWindow, &w);
  const int width = w.right - w.left, height = w.bottom - w.top;
  for (int i = 0; i < count; ++i) {
    const bool smaller = i % 2 == 0;
    if (!Resize(width - (smaller ? 40 : 0), height - (smaller ? 30 : 0), false, false, why))
      return false;
    Sleep(static_cast<DWORD>(gapMs));
  }
  ReportSize();
  return true;
}

void Rects(const std::vector<std::string>& args) {
  POINT origin = {0, 0};
  ClientToScreen(mainWindow, &origin);
  std::string out = "rects origin=" + std::to_string(origin.x) + "," + std::to_string(origin.y);
  for (size_t i = 1; i < args.size(); ++i) {
    HWND control = Control(static_cast<int>(Number(args[i], 0)));
    if (!control) {
      out += " " + args[i] + "=none";
      continue;
    }
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, mainWindow, reinterpret_cast<POINT*>(&r), 2);
    char item[96];
    std::snprintf(item, sizeof item, " %s=%ld,%ld,%ld,%ld,%d", args[i].c_str(), r.left, r.top,
                  r.right - r.left, r.bottom - r.top, IsWindowVisible(control) ? 1 : 0);
    out += item;
  }
  Emit(out);
}

// The pair's panels (the small picture's frame, the line saying why the other
// camera is missing) in the main window: class, client rect and visibility.
void PairPanels() {
  std::string out = "pair";
  EnumChildWindows(
      mainWindow,
      [](HWND child, LPARAM into) -> BOOL {
        if (ClassOf(child) != "PlayerPairPanel") return TRUE;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(HWND_DESKTOP, mainWindow, reinterpret_cast<POINT*>(&r), 2);
        char item[96];
        std::snprintf(item, sizeof item, " panel=%ld,%ld,%ld,%ld,%d", r.left, r.top,
                      r.right - r.left, r.bottom - r.top, IsWindowVisible(child) ? 1 : 0);
        *reinterpret_cast<std::string*>(into) += item;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&out));
  Emit(out);
}

// One repaint of the main window as a round trip: UpdateWindow of another thread's
// window sends WM_PAINT and returns when the player has handled it; the WM_NULL after
// it waits for a paint the player had started on its own.
long long TimedRepaint(bool invalidateFirst) {
  const long long t0 = NowUs();
  if (invalidateFirst) InvalidateRect(mainWindow, NULL, FALSE);
  UpdateWindow(mainWindow);
  Ask(mainWindow, WM_NULL, 0, 0, 0);
  return NowUs() - t0;
}

bool PaintTime(int count, std::string& why) {
  if (!mainWindow) return why = "no main window", false;
  std::string out = "paint us=";
  for (int i = 0; i < count; ++i) {
    Ask(mainWindow, WM_NULL, 0, 0, 0);  // let pending work finish first
    out += (i ? "," : "") + std::to_string(TimedRepaint(true));
  }
  Emit(out);
  return true;
}

// A resize with the repaint that runs the layout pass, as one round trip: the player
// may paint on its own before the driver asks, so the clock covers both. UpdateWindow
// and WM_NULL return only after any paint in progress has ended.
bool RelayoutTime(int width, int height, std::string& why) {
  if (!mainWindow) return why = "no main window", false;
  TimedRepaint(false);  // nothing earlier may be left to paint
  const long long t0 = NowUs();
  if (!Resize(width, height, true, false, why)) return false;
  TimedRepaint(false);
  const long long us = NowUs() - t0;
  ReportSize();
  Emit("relayout us=" + std::to_string(us));
  return true;
}

bool WaitExit(long timeoutMs, std::string& why) {
  if (!process.Get()) return why = "not started", false;
  if (WaitForSingleObject(process.Get(), static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0)
    return why = "still running", false;
  DWORD code = 0;
  GetExitCodeProcess(process.Get(), &code);
  Emit("exited code=" + std::to_string(code));
  return true;
}

// Runs one command; false with a reason when it failed.
bool Run(const std::vector<std::string>& a, bool& quit, std::string& why) {
  const std::string& verb = a[0];
  auto arg = [&](size_t i, long fallback) {
    return i < a.size() ? Number(a[i], fallback) : fallback;
  };
  if (verb == "quit") return quit = true, true;
  if (verb == "env") {
    if (a.size() < 3) return why = "usage: env NAME VALUE", false;
    return SetEnvironmentVariableA(a[1].c_str(), a[2].c_str()) != 0;
  }
  if (verb == "start") return Start(a, why);
  if (verb == "mark") {
    std::string text;
    for (size_t i = 1; i < a.size(); ++i) text += (i > 1 ? " " : "") + a[i];
    Emit("mark " + text);
    return true;
  }
  if (verb == "sleep") return Sleep(static_cast<DWORD>(arg(1, 0))), true;
  if (verb == "temp") return Emit("temp path=" + Quote(TempFolder())), true;
  if (verb == "file") {
    if (a.size() < 2) return why = "usage: file NAME", false;
    Emit("file " + a[1] + "=" + ReadItem("file:" + a[1]));
    return true;
  }
  if (!process.Get()) return why = "no player started", false;
  if (verb == "wait-player") return WaitPlayer(arg(1, 20000), why);
  if (verb == "wait-exit") return WaitExit(arg(1, 5000), why);
  if (verb == "times") {
    const std::string times = CpuTimes();
    if (times.empty())
      return why = "GetProcessTimes error " + std::to_string(GetLastError()), false;
    return Emit(times), true;
  }
  if (verb == "kill") return TerminateProcess(process.Get(), 1) != 0;
  if (verb == "answer-box") return AnswerBox(a, why);
  if (verb == "windows") return ListWindows(), true;
  if (verb == "open-file") return OpenFile(a, why);
  if (verb == "cancel-file") return CancelFile(a, why);
  if (verb == "ctrl") return TypeCtrl(a, why);
  if (verb == "key") return mainWindow ? PressKey(a, why) : (why = "no main window", false);
  if (verb == "key-hold") return mainWindow ? HoldKey(a, why) : (why = "no main window", false);
  if (verb == "drop") return mainWindow ? DropFiles(a, why) : (why = "no main window", false);
  if (!mainWindow) return why = "no main window (wait-player first)", false;
  if (verb == "read") return Emit("read" + ReadItems({a.begin() + 1, a.end()})), true;
  if (verb == "snap") {
    bool stable = false;
    const std::string body = Snapshot({a.begin() + 1, a.end()}, stable);
    Emit(std::string("snap stable=") + (stable ? "1" : "0") + body);
    return true;
  }
  if (verb == "watch") return Watch(a, why);
  if (verb == "sample") {
    const long seconds = arg(1, 1);
    const std::vector<std::string> items(a.begin() + (a.size() > 2 ? 2 : a.size()), a.end());
    for (long i = 0; i < seconds && PlayerRunning(); ++i) {
      if (i) Sleep(1000);
      bool stable = false;
      const std::string body = Snapshot(items, stable);
      Emit(std::string("snap stable=") + (stable ? "1" : "0") + body);
    }
    return true;
  }
  if (verb == "click") return ClickButton(static_cast<int>(arg(1, 0)), why);
  if (verb == "slide") return Slide(static_cast<int>(arg(1, 0)), why);
  if (verb == "click-at")
    return ClickAt(static_cast<int>(arg(1, 0)), static_cast<int>(arg(2, 0)), why);
  if (verb == "pointer") return PointAt(static_cast<int>(arg(1, 0)), why);
  if (verb == "command") return PostCommand(static_cast<int>(arg(1, 0)), arg(2, BN_CLICKED), why);
  if (verb == "select-row") return SelectRow(static_cast<int>(arg(1, 0)), false, why);
  if (verb == "dblclick-row") return SelectRow(static_cast<int>(arg(1, 0)), true, why);
  if (verb == "rows") return Rows(), true;
  if (verb == "resize" || verb == "resize-client")
    return Resize(static_cast<int>(arg(1, 0)), static_cast<int>(arg(2, 0)), verb == "resize-client",
                  true, why);
  if (verb == "resize-burst") return ResizeBurst(static_cast<int>(arg(1, 20)), arg(2, 30), why);
  if (verb == "rects") return Rects(a), true;
  if (verb == "client") return ReportSize(), true;
  if (verb == "pair") return mainWindow ? (PairPanels(), true) : (why = "no main window", false);
  if (verb == "paint-time") return PaintTime(static_cast<int>(arg(1, 5)), why);
  if (verb == "relayout-time")
    return RelayoutTime(static_cast<int>(arg(1, 0)), static_cast<int>(arg(2, 0)), why);
  if (verb == "close") {
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    return WaitExit(arg(1, 5000), why);
  }
  return why = "unknown command", false;
}

}  // namespace

int main(int argc, char** argv) {
  QueryPerformanceFrequency(&clockFrequency);
  QueryPerformanceCounter(&clockStart);
  std::FILE* input = stdin;
  if (argc == 3 && std::strcmp(argv[1], "--script") == 0) {
    input = std::fopen(argv[2], "r");
    if (!input) {
      std::fprintf(stderr, "player-driver: cannot open %s\n", argv[2]);
      return 2;
    }
  } else if (argc != 1) {
    std::fprintf(stderr, "usage: player-driver [--script FILE]\n");
    return 2;
  }
  int failures = 0;
  char buffer[8192];
  bool quit = false;
  while (!quit && std::fgets(buffer, sizeof buffer, input)) {
    std::string line = buffer;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    const std::vector<std::string> tokens = Tokens(line);
    if (tokens.empty() || tokens[0][0] == '#') continue;
    std::string why;
    if (Run(tokens, quit, why)) {
      Emit("done " + tokens[0]);
    } else {
      Emit("fail " + tokens[0] + " " + why);
      ++failures;
    }
  }
  if (input != stdin) std::fclose(input);
  // Leaving closes the job, which ends a player that is still running.
  return failures == 0 ? 0 : 1;
}
