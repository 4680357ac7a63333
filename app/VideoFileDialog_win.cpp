#include "app/VideoFileDialog_win.h"

#include <cderr.h>
#include <commdlg.h>
#include <dlgs.h>

#include <vector>

#include "framework/MessageBox_win.h"
#include "framework/Subclass_win.h"
#include "video/snapshot_files.h"

namespace {

// Room for any name the dialog hands back (its own limit is 32767 characters).
constexpr DWORD kFileNameChars = 32768;

const char* TooLongText(bool save) {
  return save ? "The file name is too long to be saved."
              : "The file name is too long to be opened.";
}

std::string TextOf(HWND control) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Sees the dialog's OK before the dialog does: some dialogs (Wine's) copy the
// name into a buffer of MAX_PATH characters and crash on a longer one.
class FileNameGuard : public CSubclassWnd {
 public:
  explicit FileNameGuard(bool save) : save(save) {}

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM) override {
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK && ChosenPathLength() >= MAX_PATH) {
      ShowMessageBox(GetSafeHwnd(), TooLongText(save), kAppTitle, MB_OK | MB_ICONEXCLAMATION);
      return 0;
    }
    return Default();
  }

 private:
  // The typed name, with the dialog's folder in front unless it is a full path.
  size_t ChosenPathLength() const {
    HWND field = GetDlgItem(GetSafeHwnd(), cmb13);
    if (field == NULL) field = GetDlgItem(GetSafeHwnd(), edt1);
    const std::string name = field != NULL ? TextOf(field) : std::string();
    if (name.size() > 1 && (name[1] == ':' || name[0] == '\\')) return name.size();
    std::vector<char> folder(kFileNameChars, '\0');
    SendMessageA(GetSafeHwnd(), CDM_GETFOLDERPATH, kFileNameChars,
                 reinterpret_cast<LPARAM>(folder.data()));
    return std::string(folder.data()).size() + 1 + name.size();
  }

  const bool save;
};

// What the hook works with while the dialog is open.
struct DialogState {
  explicit DialogState(bool save) : guard(save) {}
  FileNameGuard guard;
  bool snapshot = false;
  std::string picture;  // a snapshot's picture, once its name has been accepted
};

// A snapshot's name, checked before the dialog closes: true to keep the dialog
// open (refused, or the user would not replace the file).
bool KeepDialogFor(HWND dialog, const std::string& chosen, DialogState& state) {
  const SnapshotTarget target = DecideSnapshotTarget(chosen, FileExists);
  if (target.verdict == SnapshotVerdict::kRefuse) {
    ShowMessageBox(dialog, target.message.c_str(), kAppTitle, MB_OK | MB_ICONEXCLAMATION);
    return true;
  }
  if (target.verdict == SnapshotVerdict::kAsk &&
      ShowMessageBox(dialog, target.message.c_str(), kAppTitle,
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return true;
  state.picture = target.picture;
  return false;
}

// The chosen path when the user presses OK: the dialog's buffer holds it then.
std::string ChosenPath(HWND dialog, const OPENFILENAMEA& ofn) {
  if (ofn.lpstrFile != NULL && ofn.lpstrFile[0] != '\0') return ofn.lpstrFile;
  std::vector<char> path(kFileNameChars, '\0');
  SendMessageA(dialog, CDM_GETFILEPATH, kFileNameChars, reinterpret_cast<LPARAM>(path.data()));
  return path.data();
}

UINT_PTR CALLBACK Hook(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    const auto* ofn = reinterpret_cast<const OPENFILENAMEA*>(lParam);
    reinterpret_cast<DialogState*>(ofn->lCustData)->guard.Attach(GetParent(hook));
    return 0;
  }
  if (msg != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != CDN_FILEOK) return 0;
  const OPENFILENAMEA& ofn = *reinterpret_cast<const OFNOTIFYA*>(lParam)->lpOFN;
  auto& state = *reinterpret_cast<DialogState*>(ofn.lCustData);
  const HWND dialog = GetParent(hook);
  if (!state.snapshot || !KeepDialogFor(dialog, ChosenPath(dialog, ofn), state)) return 0;
  SetWindowLongPtrA(hook, DWLP_MSGRESULT, 1);
  return 1;
}

// The dialog with the guard on its file name field; false when cancelled.
bool RunGuarded(OPENFILENAMEA& ofn, bool save, DialogState& state) {
  ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
  ofn.lpfnHook = Hook;
  ofn.lCustData = reinterpret_cast<LPARAM>(&state);
  const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  state.guard.Detach();
  if (!chosen && CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
    ShowMessageBox(ofn.hwndOwner, TooLongText(save), kAppTitle, MB_OK | MB_ICONEXCLAMATION);
  return chosen != FALSE;
}

}  // namespace

bool AskForVideoFile(HWND owner, const char* filter, std::string& path) {
  std::vector<char> file(kFileNameChars, '\0');
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = kFileNameChars;
  ofn.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
  DialogState state(false);
  if (!RunGuarded(ofn, false, state)) return false;
  path = file.data();
  return true;
}

// The snapshot's own checks replace the dialog's overwrite prompt: they ask
// the same question, and refuse clips and sidecars outright.
bool AskForSnapshotFile(HWND owner, const std::string& folder, std::string& path) {
  std::vector<char> file(kFileNameChars, '\0');
  path.copy(file.data(), kFileNameChars - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = "BMP Files (*.bmp)\0*.bmp\0\0";
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = kFileNameChars;
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrDefExt = "bmp";
  for (;;) {
    DialogState state(true);
    state.snapshot = true;
    if (!RunGuarded(ofn, true, state)) return false;
    // A dialog that closed without telling the hook is checked now, and shown
    // again with the same name when the name cannot be taken.
    if (!state.picture.empty() || !KeepDialogFor(owner, file.data(), state)) {
      path = state.picture;
      return true;
    }
  }
}
