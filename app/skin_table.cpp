#include "app/skin_table.h"

#include "resources/resource.h"

namespace {

SkinImages Pair(int normal, int hover, const char* tooltip) { return {normal, hover, tooltip}; }
SkinImages Single(int image, const char* tooltip) { return {image, 0, tooltip}; }

}  // namespace

SkinImages SkinFor(int id, const SkinState& state) {
  switch (id) {
    case IDC_CLOSE:
      return Pair(IDB_CLOSE, IDB_CLOSE_HOVER, "Close");
    case IDC_MINIMIZE:
      return Pair(IDB_MINIMIZE, IDB_MINIMIZE_HOVER, "Minimize");
    case IDC_MAXIMIZE:
      return state.maximized ? Pair(IDB_RESTORE, IDB_RESTORE_HOVER, "Restore")
                             : Pair(IDB_MAXIMIZE, IDB_MAXIMIZE_HOVER, "Maxmize");
    case IDC_LOGO:
      return Single(IDB_LOGO, nullptr);
    case IDC_INTERNET_STATUS:
      return Single(IDB_OFFLINE_STATUS, "Internet is not connecting!");
    case IDC_BROWSE_FOLDER:
      return Pair(IDB_BROWSE_FOLDER, IDB_BROWSE_FOLDER_HOVER, "Broswer Folder");
    case IDC_ADD_FILE:
      return Pair(IDB_ADD_FILE, IDB_ADD_FILE_HOVER, "Add File");
    case IDC_DELETE_FILE:
      return Pair(IDB_DELETE_FILE, IDB_DELETE_FILE_HOVER, "Delete File");
    case IDC_WEB_SITE:
      return Pair(IDB_WEB_SITE, IDB_WEB_SITE_HOVER, "Korvane");
    case IDC_IMAGE_BUTTON_1:
    case IDC_IMAGE_BUTTON_2:
    case IDC_IMAGE_BUTTON_3:
    case IDC_IMAGE_BUTTON_4:
      return Single(IDB_IMAGE_TILE, nullptr);
    case IDC_FRAME_STEP:
      return Pair(IDB_FRAME_STEP, IDB_FRAME_STEP_HOVER, "One Frame Play");
    case IDC_PLAY_PAUSE:
      return state.playing ? Pair(IDB_PAUSE, IDB_PAUSE_HOVER, "Pause")
                           : Pair(IDB_PLAY, IDB_PLAY_HOVER, "Play");
    case IDC_STOP:
      return Pair(IDB_STOP, IDB_STOP_HOVER, "Stop");
    case IDC_OPEN_VIDEO:
      return Pair(IDB_OPEN_VIDEO, IDB_OPEN_VIDEO_HOVER, "Open Video");
    case IDC_LARGE_VIEW:
      return state.enlarged ? Pair(IDB_SHRINK, IDB_SHRINK_HOVER, "Normal Screen")
                            : Pair(IDB_ENLARGE, IDB_ENLARGE_HOVER, "Full Screen");
    case IDC_FULL_SCREEN:
      return Pair(IDB_FULL_SCREEN, IDB_FULL_SCREEN_HOVER, "Full Screen");
    case IDC_SNAPSHOT:
      return Pair(IDB_SNAPSHOT, IDB_SNAPSHOT_HOVER, nullptr);
    default:
      return {};
  }
}

bool IsDisabledImageButton(int id) {
  switch (id) {
    case IDC_LOGO:
    case IDC_INTERNET_STATUS:
    case IDC_IMAGE_BUTTON_1:
    case IDC_IMAGE_BUTTON_2:
    case IDC_IMAGE_BUTTON_3:
    case IDC_IMAGE_BUTTON_4:
      return true;
    default:
      return false;
  }
}

const std::vector<int>& TitleBarButtons() {
  static const std::vector<int> ids{IDC_LOGO, IDC_MINIMIZE, IDC_MAXIMIZE, IDC_CLOSE};
  return ids;
}

const std::vector<int>& PanelButtons() {
  static const std::vector<int> ids{IDC_BROWSE_FOLDER,  IDC_ADD_FILE,       IDC_DELETE_FILE,
                                    IDC_WEB_SITE,       IDC_IMAGE_BUTTON_1, IDC_IMAGE_BUTTON_2,
                                    IDC_IMAGE_BUTTON_3, IDC_IMAGE_BUTTON_4};
  return ids;
}

const std::vector<int>& PlayerAreaButtons() {
  static const std::vector<int> ids{IDC_FRAME_STEP, IDC_PLAY_PAUSE, IDC_STOP,
                                    IDC_OPEN_VIDEO, IDC_LARGE_VIEW, IDC_FULL_SCREEN};
  return ids;
}

const std::vector<int>& LayoutSwitchButtons() {
  static const std::vector<int> ids{IDC_PLAY_PAUSE,  IDC_OPEN_VIDEO, IDC_STOP,      IDC_SNAPSHOT,
                                    IDC_FULL_SCREEN, IDC_FRAME_STEP, IDC_LARGE_VIEW};
  return ids;
}

const std::vector<int>& BackdropButtons() {
  static const std::vector<int> ids{
      IDC_MAXIMIZE,    IDC_CLOSE,    IDC_MINIMIZE,   IDC_BROWSE_FOLDER, IDC_ADD_FILE,
      IDC_DELETE_FILE, IDC_WEB_SITE, IDC_PLAY_PAUSE, IDC_STOP,          IDC_OPEN_VIDEO,
      IDC_LARGE_VIEW,  IDC_SNAPSHOT, IDC_FRAME_STEP, IDC_FULL_SCREEN};
  return ids;
}

const std::vector<int>& SkinnedButtons() {
  static const std::vector<int> ids{
      IDC_CLOSE,           IDC_MINIMIZE,       IDC_MAXIMIZE,       IDC_LOGO,
      IDC_INTERNET_STATUS, IDC_BROWSE_FOLDER,  IDC_ADD_FILE,       IDC_DELETE_FILE,
      IDC_WEB_SITE,        IDC_IMAGE_BUTTON_1, IDC_IMAGE_BUTTON_2, IDC_IMAGE_BUTTON_3,
      IDC_IMAGE_BUTTON_4,  IDC_FRAME_STEP,     IDC_PLAY_PAUSE,     IDC_STOP,
      IDC_OPEN_VIDEO,      IDC_LARGE_VIEW,     IDC_FULL_SCREEN,    IDC_SNAPSHOT};
  return ids;
}
