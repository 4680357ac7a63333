#include "app/VideoFileDialog_win.h"

#include <cderr.h>
#include <commdlg.h>
#include <dlgs.h>

#include <vector>

#include "framework/MessageBox_win.h"
#include "framework/Subclass_win.h"

namespace {

// Room for any name the dialog hands back (its own limit is 32767 characters).
constexpr DWORD kFileNameChars = 32768;
constexpr char kTooLong[] = "The file name is too long to be opened.";

std::string TextOf(HWND control) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

// Sees the dialog's OK before the dialog does: some dialogs (Wine's) copy the
// name into a buffer of MAX_PATH characters and crash on a longer one.
class FileNameGuard : public CSubclassWnd {
 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM) override {
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK && ChosenPathLength() >= MAX_PATH) {
      ShowMessageBox(GetSafeHwnd(), kTooLong, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
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
};

UINT_PTR CALLBACK Hook(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    const auto* ofn = reinterpret_cast<const OPENFILENAMEA*>(lParam);
    reinterpret_cast<FileNameGuard*>(ofn->lCustData)->Attach(GetParent(hook));
  }
  return 0;
}

}  // namespace

namespace {

// The dialog with the guard on its file name field; false when cancelled.
bool RunGuarded(OPENFILENAMEA& ofn, bool save) {
  FileNameGuard guard;
  ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
  ofn.lpfnHook = Hook;
  ofn.lCustData = reinterpret_cast<LPARAM>(&guard);
  const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  guard.Detach();
  if (!chosen && CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
    ShowMessageBox(ofn.hwndOwner, kTooLong, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
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
  if (!RunGuarded(ofn, false)) return false;
  path = file.data();
  return true;
}

// No overwrite prompt: a snapshot replaces a file of the chosen name.
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
  if (!RunGuarded(ofn, true)) return false;
  path = file.data();
  return true;
}
