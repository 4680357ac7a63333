// The playlist: a folder's clips, single files, deleting, playing an entry.
// Display texts (IDC_PLAYLIST, sorted) and full paths (IDC_PATH_LIST) are kept
// as pairs: each path goes in at the index where its text was sorted in. Every
// change of the rows has the clips' facts and trips follow (PlayerListing_win.cpp).
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

// The list sorts the display text in (its own ordering stays the one people
// see); the row goes into the model where the list put it, and the hidden
// path list mirrors the model's paths.
bool CMediaPlayerDlg::AddPlaylistEntry(const std::string& path, const std::string& displayText) {
  const LRESULT at = SendMessageA(GetDlgItem(IDC_PLAYLIST), LB_ADDSTRING, 0,
                                  reinterpret_cast<LPARAM>(displayText.c_str()));
  if (at < 0) return false;
  SendMessageA(GetDlgItem(IDC_PATH_LIST), LB_INSERTSTRING, at,
               reinterpret_cast<LPARAM>(path.c_str()));
  const bool readOnly = displayText.size() >= 6 && displayText.compare(displayText.size() - 6, 6, "     G") == 0;
  model.Insert(static_cast<int>(at), PlaylistRow{path, displayText, readOnly});
  ListingChanged();
  return true;
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
  model.Clear();
  ScanFolder(folder);
  model.Refilled(pMediaLib ? pMediaLib->ClipPath() : std::string());
}

// The folder listing brings every file's time and attributes, so no file is
// opened or asked again; the lists draw once, at the end.
void CMediaPlayerDlg::ScanFolder(const std::string& folder) {
  ListingChanged();  // also when the folder holds no clip: the old trips go
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
    NoteListedClip(path, found.ftLastWriteTime);
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
  TraceFormat("3.[%s]\r\n[%d]\r\n[%s]", strStartClip.c_str(), model.nStartSec, path.c_str());
  if (path.empty() || IsFolder(path)) return;
  AddPlaylistEntry(path, DisplayTextOf(path));
  TraceFormat("4.[%s]\r\n[%d]", strStartClip.c_str(), model.nStartSec);
  if (SendMessage(GetDlgItem(IDC_PLAYLIST), LB_SETCURSEL, 0, 0) == LB_ERR) return;
  // The video stays hidden until it stands at its start second.
  model.bStartPending = 1;
  LoadPlaylistRow(0);
}

void CMediaPlayerDlg::DeleteEntry() {
  HWND display = GetDlgItem(IDC_PLAYLIST), paths = GetDlgItem(IDC_PATH_LIST);
  const LRESULT selected = SendMessage(display, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;
  const int i = static_cast<int>(selected);
  SendMessage(display, LB_DELETESTRING, i, 0);
  SendMessage(paths, LB_DELETESTRING, i, 0);
  const int next = model.Delete(i);
  ListingChanged();
  if (next >= 0) {
    SendMessage(display, LB_SETCURSEL, next, 0);
    SendMessage(paths, LB_SETCURSEL, next, 0);
  }
}

void CMediaPlayerDlg::PlayEntry() {
  const LRESULT i = SendMessage(GetDlgItem(IDC_PLAYLIST), LB_GETCURSEL, 0, 0);
  if (i == LB_ERR || model.Row(static_cast<int>(i)) == nullptr) return;
  StopClip();
  LoadPlaylistRow(static_cast<int>(i));
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
  model.LoadUnlisted();  // not listed: at its end the player stops
  app_LoadVideo(path);
  SetPlayButtonImage(IsPlaying());
}
