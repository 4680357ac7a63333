// The playlist of the main window on a real folder: what is listed, how, and
// that every row keeps its own path.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MediaPlayerDlg_win.h"
#include "framework/MessageBox_win.h"

namespace {

std::string ItemText(HWND list, int i) {
  char text[1024] = "";
  SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
  return text;
}

std::vector<std::string> Items(HWND list) {
  std::vector<std::string> items;
  int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) items.push_back(ItemText(list, i));
  return items;
}

void Touch(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
}

int AnswerNo(HWND, const char*, const char*, UINT) { return IDNO; }

class Playlist : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "playlist-test-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), NULL);
    CreateDirectoryA((folder + "\\D.MOV").c_str(), NULL);
    for (const char* name : {"A.MOV", "b.mp4", "c.txt", "clip.Mov", ".MOV", "1.MOV", "11.MOV",
                             "20230405_123456R.MOV", "RO.MP4"})
      Touch(folder + "\\" + name);
    SetFileAttributesA((folder + "\\RO.MP4").c_str(), FILE_ATTRIBUTE_READONLY);
    previous = SetMessageBoxHandler(AnswerNo);
    ASSERT_TRUE(dlg.Create(NULL));
    display = dlg.GetDlgItem(1014);
    paths = dlg.GetDlgItem(1015);
  }
  void TearDown() override {
    dlg.DestroyWindow();
    dlg.ReleaseEngine();
    SetMessageBoxHandler(previous);
    SetFileAttributesA((folder + "\\RO.MP4").c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const char* name : {"A.MOV", "b.mp4", "c.txt", "clip.Mov", ".MOV", "1.MOV", "11.MOV",
                             "20230405_123456R.MOV", "RO.MP4"})
      DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA((folder + "\\D.MOV").c_str());
    RemoveDirectoryA(folder.c_str());
  }

  std::string folder;
  CMediaPlayerDlg dlg;
  HWND display = NULL, paths = NULL;
  MessageBoxFn previous = nullptr;
};

TEST_F(Playlist, ScanListsTheFolderClipsAsSortedPairs) {
  dlg.ScanFolder(folder);
  std::vector<std::string> texts = Items(display), full = Items(paths);
  ASSERT_EQ(texts.size(), 6u);  // no c.txt, clip.Mov, .MOV or the D.MOV folder
  ASSERT_EQ(full.size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    // Every row's name is the name of the path beside it (1.MOV is not taken for 11.MOV).
    std::string name = texts[i].substr(0, texts[i].find(' '));
    EXPECT_EQ(full[i], folder + "\\" + name) << i;
    if (i > 0) EXPECT_LE(lstrcmpiA(texts[i - 1].c_str(), texts[i].c_str()), 0) << "sorted";
  }
  for (const std::string& t : texts) {
    if (t.rfind("A.MOV", 0) == 0) EXPECT_EQ(t.find("     2"), 15u) << t;  // padded to 15
    if (t.rfind("20230405_123456R.MOV", 0) == 0) EXPECT_EQ(t.find("     2"), 20u) << t;
    bool readOnly = t.rfind("RO.MP4", 0) == 0;
    EXPECT_EQ(t.size() > 6 && t.compare(t.size() - 6, 6, "     G") == 0, readOnly) << t;
  }
}

TEST_F(Playlist, DeletingKeepsBothListsInStep) {
  dlg.ScanFolder(folder);
  SendMessageA(display, LB_SETCURSEL, 0, 0);
  dlg.DeleteEntry();
  EXPECT_EQ(SendMessageA(display, LB_GETCURSEL, 0, 0), LB_ERR);  // the top row: no selection
  SendMessageA(display, LB_SETCURSEL, 3, 0);
  std::string below = ItemText(paths, 4);
  dlg.DeleteEntry();
  EXPECT_EQ(SendMessageA(display, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessageA(paths, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(ItemText(paths, 3), below);
  EXPECT_EQ(Items(display).size(), 4u);
  EXPECT_EQ(Items(paths).size(), 4u);
  dlg.DeleteEntry();  // row 2 is selected now and goes as well
  EXPECT_EQ(Items(paths).size(), 3u);
}

TEST_F(Playlist, AStartFileWhoseTimeCannotBeReadIsListedWithoutTime) {
  dlg.AddStartupFile(folder + "\\missing.MOV");  // the engine's codec question is answered No
  ASSERT_EQ(Items(display).size(), 1u);
  EXPECT_EQ(ItemText(display, 0), "missing.MOV    ");
  EXPECT_EQ(ItemText(paths, 0), folder + "\\missing.MOV");
}

}  // namespace
