// Files and folders dropped on the main window (dropped_files.h decides what
// happens): one clip plays as "Open Video" plays it, a folder is listed as the
// folder button lists it, several clips join the playlist and the first plays.
#include <windows.h>

#include <shellapi.h>

#include <ctime>
#include <string>
#include <vector>

#include "app/MediaPlayerDlg_win.h"
#include "app/dropped_files.h"
#include "app/playlist_text.h"
#include "framework/FileTime_win.h"
#include "framework/MessageBox_win.h"
#include "framework/Trace_win.h"
#include "video/MediaLib_win.h"

namespace {

// The paths of a drop; the drop's memory is the system's again afterwards.
std::vector<DroppedPath> DroppedPaths(HDROP drop) {
  std::vector<DroppedPath> paths;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, NULL, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileA(drop, i, NULL, 0);
    std::string path(length + 1, '\0');
    DragQueryFileA(drop, i, &path[0], length + 1);
    path.resize(length);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    paths.push_back(DroppedPath{path, exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, exists});
  }
  DragFinish(drop);
  return paths;
}

// As the playlist lists a single file: its name and its local write time.
std::string ListedText(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  std::tm local;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      !LocalWriteTime(data.ftLastWriteTime, local))
    return PlaylistDisplayText(FileNameOf(path), "");
  return PlaylistDisplayText(
      FileNameOf(path),
      PlaylistTimeText(local, (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0));
}

}  // namespace

void CMediaPlayerDlg::OnDropFiles(HDROP drop) {
  const DropPlan plan = PlanDrop(DroppedPaths(drop));
  TraceFormat("DROP action=%d clips=%d left=%d\n", static_cast<int>(plan.action),
              static_cast<int>(plan.clips.size()), static_cast<int>(plan.left.size()));
  switch (plan.action) {
    case DropPlan::kPlayClip:
      PlayOpenedFile(plan.clips.front());
      break;
    case DropPlan::kListFolder:
      ListFolder(plan.strFolder);
      break;
    case DropPlan::kAddClips:
      AddDroppedClips(plan.clips);
      break;
    case DropPlan::kNothing:
      break;
  }
  const std::string left = LeftAloneText(plan.left);
  if (!left.empty()) ShowMessageBox(m_hWnd, left.c_str(), kAppTitle, MB_OK | MB_ICONINFORMATION);
}

// What the folder button does once a folder is chosen.
void CMediaPlayerDlg::ListFolder(const std::string& folder) {
  SendMessage(GetDlgItem(IDC_PLAYLIST), LB_RESETCONTENT, 0, 0);
  SendMessage(GetDlgItem(IDC_PATH_LIST), LB_RESETCONTENT, 0, 0);
  model.Clear();
  ScanFolder(folder);
  model.Refilled(pMediaLib ? pMediaLib->ClipPath() : std::string());
}

// Each clip is listed where the list sorts it; the first one dropped plays.
void CMediaPlayerDlg::AddDroppedClips(const std::vector<std::string>& clips) {
  for (const std::string& clip : clips) AddPlaylistEntry(clip, ListedText(clip));
  for (int row = 0; row < model.RowCount(); ++row) {
    if (!SamePath(model.PathAt(row), clips.front())) continue;
    SendMessage(GetDlgItem(IDC_PLAYLIST), LB_SETCURSEL, row, 0);
    PlayEntry();
    return;
  }
}
