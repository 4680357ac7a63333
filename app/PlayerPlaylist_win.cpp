// The playlist: a folder's clips, single files, deleting, playing an entry.
// Display texts (list 1014, sorted) and full paths (hidden list 1015) are kept
// as pairs: each path goes in at the index where its text was sorted in.
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <ctime>
#include <vector>

#include "app/MediaPlayerDlg_win.h"
#include "app/clip_names.h"
#include "app/playlist_text.h"
#include "framework/Trace_win.h"
#include "video/MediaLib_win.h"

namespace {

std::string ListText(HWND list, int index) {
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return "";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  LRESULT got = SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
  return text;
}

// The last-write time as local calendar time, as the clock of the recording shows it.
bool LocalWriteTime(const FILETIME& written, std::tm& local) {
  SYSTEMTIME utc, here;
  // A time that cannot be converted shows as an empty time text; the file is still listed.
  if (!FileTimeToSystemTime(&written, &utc) || !SystemTimeToTzSpecificLocalTime(NULL, &utc, &here))
    return false;
  std::tm fields{};
  fields.tm_year = here.wYear - 1900;
  fields.tm_mon = here.wMonth - 1;
  fields.tm_mday = here.wDay;
  fields.tm_hour = here.wHour;
  fields.tm_min = here.wMinute;
  fields.tm_sec = here.wSecond;
  fields.tm_isdst = -1;
  local = fields;
  return true;
}

// A file's display time text; empty when its time cannot be read.
std::string TimeTextOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return "";
  std::tm local;
  if (!LocalWriteTime(data.ftLastWriteTime, local)) return "";
  return PlaylistTimeText(local, (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0);
}

bool AskForVideoFile(HWND owner, const char* filter, std::string& path) {
  char file[MAX_PATH] = "";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
  if (!GetOpenFileNameA(&ofn)) return false;
  path = file;
  return true;
}

}  // namespace

std::string CMediaPlayerDlg::PathAt(int index) const { return ListText(GetDlgItem(1015), index); }

std::string CMediaPlayerDlg::DisplayTextOf(const std::string& path) {
  return PlaylistDisplayText(FileNameOf(path), TimeTextOf(path));
}

void CMediaPlayerDlg::AddPlaylistEntry(const std::string& path, const std::string& displayText) {
  LRESULT at = SendMessageA(GetDlgItem(1014), LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(displayText.c_str()));
  if (at < 0) return;
  SendMessageA(GetDlgItem(1015), LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(path.c_str()));
}

void CMediaPlayerDlg::BrowseFolder() {
  BROWSEINFOA info{};
  info.hwndOwner = m_hWnd;
  info.lpszTitle = "Select A Directory";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE list = SHBrowseForFolderA(&info);
  if (list == NULL) return;
  char folder[MAX_PATH] = "";
  BOOL gotPath = SHGetPathFromIDListA(list, folder);
  CoTaskMemFree(list);
  if (!gotPath) return;
  SendMessage(GetDlgItem(1014), LB_RESETCONTENT, 0, 0);
  SendMessage(GetDlgItem(1015), LB_RESETCONTENT, 0, 0);
  ScanFolder(folder);
}

void CMediaPlayerDlg::ScanFolder(const std::string& folder) {
  SetCurrentDirectoryA(folder.c_str());
  std::string base = folder;
  if (!base.empty() && base.back() != '\\') base += '\\';
  WIN32_FIND_DATAA found;
  struct Search {
    HANDLE h;
    ~Search() {
      if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
  } search{FindFirstFileA((base + "*.*").c_str(), &found)};
  if (search.h == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (!IsVideoFileName(found.cFileName)) continue;
    std::string path = base + found.cFileName;
    AddPlaylistEntry(path, DisplayTextOf(path));
  } while (FindNextFileA(search.h, &found));
}

void CMediaPlayerDlg::AddFile() {
  std::string path;
  if (!AskForVideoFile(m_hWnd,
                       "Open Video File(*.ts)\0*.ts\0Open Video File(*.mov)\0*.mov\0"
                       "Open Video File(*.avi)\0*.avi\0Open Video File(*.mp4)\0*.mp4\0",
                       path))
    return;
  // The chosen file, wherever it lies.
  if (!IsVideoFileName(FileNameOf(path))) return;
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  AddPlaylistEntry(path, DisplayTextOf(path));
  TraceText("Add String");
}

void CMediaPlayerDlg::AddStartupFile(const std::string& path) {
  TraceFormat("3.[%s]\r\n[%d]\r\n[%s]", strStartClip.c_str(), nStartSec, path.c_str());
  if (path.empty()) return;
  AddPlaylistEntry(path, DisplayTextOf(path));
  TraceFormat("4.[%s]\r\n[%d]", strStartClip.c_str(), nStartSec);
  nPlayIndex = 0;
  if (SendMessage(GetDlgItem(1014), LB_SETCURSEL, 0, 0) == LB_ERR) return;
  bStartPending = 1;
  app_LoadVideo(PathAt(0));
  if (pMediaLib) ShowWindow(pMediaLib->GetSafeHwnd(), SW_HIDE);
}

void CMediaPlayerDlg::DeleteEntry() {
  HWND display = GetDlgItem(1014), paths = GetDlgItem(1015);
  LRESULT i = SendMessage(display, LB_GETCURSEL, 0, 0);
  if (i == LB_ERR) return;
  SendMessage(display, LB_DELETESTRING, i, 0);
  SendMessage(paths, LB_DELETESTRING, i, 0);
  if (i > 0) {
    SendMessage(display, LB_SETCURSEL, i - 1, 0);
    SendMessage(paths, LB_SETCURSEL, i - 1, 0);
  }
}

void CMediaPlayerDlg::PlayEntry() {
  LRESULT i = SendMessage(GetDlgItem(1014), LB_GETCURSEL, 0, 0);
  if (i == LB_ERR) return;
  nPlayIndex = static_cast<int>(i);
  std::string path = PathAt(nPlayIndex);
  StopClip();
  app_LoadVideo(path);
  SetPlayButtonImage(true);
}

void CMediaPlayerDlg::OpenVideoFile() {
  std::string path;
  if (!AskForVideoFile(m_hWnd,
                       "Open Video File(*.mov)\0*.mov\0Open Video File(*.ts)\0*.ts\0"
                       "Open Video File(*.avi)\0*.avi\0Open Video File(*.mp4)\0*.mp4\0",
                       path))
    return;
  if (!IsVideoFileName(path)) return;
  app_LoadVideo(path);
  SetPlayButtonImage(true);
}
