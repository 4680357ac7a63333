// The playlist: a folder's clips, single files, deleting, playing an entry.
// Display texts (IDC_PLAYLIST, sorted) and full paths (IDC_PATH_LIST) are kept
// as pairs: each path goes in at the index where its text was sorted in.
#include <windows.h>

#include <shlobj.h>

#include <ctime>
#include <vector>

#include "app/MediaPlayerDlg_win.h"
#include "framework/FileTime_win.h"
#include "app/clip_names.h"
#include "app/VideoFileDialog_win.h"
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

std::string DisplayText(const std::string& path, const FILETIME& written, DWORD attributes) {
  std::tm local;
  const std::string time =
      LocalWriteTime(written, local)
          ? PlaylistTimeText(local, (attributes & FILE_ATTRIBUTE_READONLY) != 0)
          : std::string();
  return PlaylistDisplayText(FileNameOf(path), time);
}

// A file's display text; its time text is empty when its time cannot be read.
std::string DisplayTextOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return PlaylistDisplayText(FileNameOf(path), "");
  return DisplayText(path, data.ftLastWriteTime, data.dwFileAttributes);
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Redraw off while a list fills, on again (and one repaint) when the owner goes.
class NoRedraw {
 public:
  explicit NoRedraw(HWND list) : list(list) { SendMessage(list, WM_SETREDRAW, FALSE, 0); }
  ~NoRedraw() {
    SendMessage(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
  }
  NoRedraw(const NoRedraw&) = delete;
  NoRedraw& operator=(const NoRedraw&) = delete;

 private:
  HWND list;
};

}  // namespace

std::string CMediaPlayerDlg::PathAt(int index) const {
  return ListText(GetDlgItem(IDC_PATH_LIST), index);
}

bool CMediaPlayerDlg::AddPlaylistEntry(const std::string& path, const std::string& displayText) {
  const LRESULT at = SendMessageA(GetDlgItem(IDC_PLAYLIST), LB_ADDSTRING, 0,
                                  reinterpret_cast<LPARAM>(displayText.c_str()));
  if (at < 0) return false;
  SendMessageA(GetDlgItem(IDC_PATH_LIST), LB_INSERTSTRING, at,
               reinterpret_cast<LPARAM>(path.c_str()));
  // A row sorted in above the playing one moves it down.
  if (bPlayingListRow && at <= nPlayIndex) ++nPlayIndex;
  return true;
}

void CMediaPlayerDlg::FindPlayingRow() {
  if (!bPlayingListRow) return;
  const std::string playing = pMediaLib ? pMediaLib->ClipPath() : std::string();
  const int rows = static_cast<int>(SendMessage(GetDlgItem(IDC_PATH_LIST), LB_GETCOUNT, 0, 0));
  for (int i = 0; i < rows; ++i) {
    if (lstrcmpiA(PathAt(i).c_str(), playing.c_str()) == 0) {
      nPlayIndex = i;
      return;
    }
  }
  bPlayingListRow = 0;  // no longer listed: it ends without advancing
}

void CMediaPlayerDlg::BrowseFolder() {
  BROWSEINFOA info{};
  info.hwndOwner = m_hWnd;
  info.lpszTitle = "Select A Directory";
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  CoTaskMem<ITEMIDLIST> list(SHBrowseForFolderA(&info));
  if (list.Get() == nullptr) return;
  char folder[MAX_PATH] = "";
  if (!SHGetPathFromIDListA(list.Get(), folder)) return;
  SendMessage(GetDlgItem(IDC_PLAYLIST), LB_RESETCONTENT, 0, 0);
  SendMessage(GetDlgItem(IDC_PATH_LIST), LB_RESETCONTENT, 0, 0);
  ScanFolder(folder);
  FindPlayingRow();
}

// The folder listing brings every file's time and attributes, so no file is
// opened or asked again; the lists draw once, at the end.
void CMediaPlayerDlg::ScanFolder(const std::string& folder) {
  SetCurrentDirectoryA(folder.c_str());
  std::string base = folder;
  if (!base.empty() && base.back() != '\\') base += '\\';
  WIN32_FIND_DATAA found;
  FindHandle search((base + "*.*").c_str(), found);
  if (!search.Valid()) return;
  NoRedraw display(GetDlgItem(IDC_PLAYLIST)), paths(GetDlgItem(IDC_PATH_LIST));
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (!IsVideoFileName(found.cFileName)) continue;
    const std::string path = base + found.cFileName;
    AddPlaylistEntry(path, DisplayText(path, found.ftLastWriteTime, found.dwFileAttributes));
  } while (search.Next(found));
}

void CMediaPlayerDlg::AddFile() {
  std::string path;
  if (!AskForVideoFile(m_hWnd,
                       "Open Video File(*.ts)\0*.ts\0Open Video File(*.mov)\0*.mov\0"
                       "Open Video File(*.avi)\0*.avi\0Open Video File(*.mp4)\0*.mp4\0",
                       path))
    return;
  // The chosen file, wherever it lies; folders are never rows.
  if (!IsVideoFileName(FileNameOf(path))) return;
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES || IsFolder(path)) return;
  AddPlaylistEntry(path, DisplayTextOf(path));
  TraceText("Add String");
}

void CMediaPlayerDlg::AddStartupFile(const std::string& path) {
  TraceFormat("3.[%s]\r\n[%d]\r\n[%s]", strStartClip.c_str(), nStartSec, path.c_str());
  if (path.empty() || IsFolder(path)) return;
  AddPlaylistEntry(path, DisplayTextOf(path));
  TraceFormat("4.[%s]\r\n[%d]", strStartClip.c_str(), nStartSec);
  nPlayIndex = 0;
  if (SendMessage(GetDlgItem(IDC_PLAYLIST), LB_SETCURSEL, 0, 0) == LB_ERR) return;
  bStartPending = 1;
  bPlayingListRow = 1;
  app_LoadVideo(PathAt(0));
  if (pMediaLib) ShowWindow(pMediaLib->GetSafeHwnd(), SW_HIDE);
}

void CMediaPlayerDlg::DeleteEntry() {
  HWND display = GetDlgItem(IDC_PLAYLIST), paths = GetDlgItem(IDC_PATH_LIST);
  const LRESULT selected = SendMessage(display, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;
  const int i = static_cast<int>(selected);
  SendMessage(display, LB_DELETESTRING, i, 0);
  SendMessage(paths, LB_DELETESTRING, i, 0);
  if (i > 0) {
    SendMessage(display, LB_SETCURSEL, i - 1, 0);
    SendMessage(paths, LB_SETCURSEL, i - 1, 0);
  }
  // The playing row's index follows: a row above it moves it up; when the playing
  // row itself goes, its clip plays on and the row that followed it comes next.
  if (bPlayingListRow && i <= nPlayIndex) --nPlayIndex;
}

void CMediaPlayerDlg::PlayEntry() {
  const LRESULT i = SendMessage(GetDlgItem(IDC_PLAYLIST), LB_GETCURSEL, 0, 0);
  if (i == LB_ERR) return;
  nPlayIndex = static_cast<int>(i);
  bPlayingListRow = 1;
  const std::string path = PathAt(nPlayIndex);
  StopClip();
  app_LoadVideo(path);
  SetPlayButtonImage(IsPlaying());
}

void CMediaPlayerDlg::OpenVideoFile() {
  std::string path;
  if (!AskForVideoFile(m_hWnd,
                       "Open Video File(*.mov)\0*.mov\0Open Video File(*.ts)\0*.ts\0"
                       "Open Video File(*.avi)\0*.avi\0Open Video File(*.mp4)\0*.mp4\0",
                       path))
    return;
  PlayOpenedFile(path);
}

void CMediaPlayerDlg::PlayOpenedFile(const std::string& path) {
  if (!IsVideoFileName(FileNameOf(path))) return;
  bPlayingListRow = 0;  // not listed: at its end the player stops
  app_LoadVideo(path);
  SetPlayButtonImage(IsPlaying());
}
