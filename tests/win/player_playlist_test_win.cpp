// The playlist of the main window on a real folder: what is listed, how, that
// every row keeps its own path, and how long a big folder takes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "demo_drive.h"
#include "player_fixture_win.h"
#include "test_files.h"

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

class Playlist : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    CreateDirectoryA((dir.Path() + "D.MOV").c_str(), NULL);
    for (const char* name : {"A.MOV", "b.mp4", "c.txt", "clip.Mov", ".MOV", "1.MOV", "11.MOV",
                             "20230405_123456R.MOV", "RO.MP4"})
      dir.Write(name, "");
    SetFileAttributesA((dir.Path() + "RO.MP4").c_str(), FILE_ATTRIBUTE_READONLY);
    folder = dir.Path().substr(0, dir.Path().size() - 1);
    display = Item(IDC_PLAYLIST);
    paths = Item(IDC_PATH_LIST);
  }
  void TearDown() override {
    SetFileAttributesA((dir.Path() + "RO.MP4").c_str(), FILE_ATTRIBUTE_NORMAL);
    PlayerTest::TearDown();
  }

  ScratchDir dir;
  std::string folder;  // without its trailing separator, as the folder dialog gives it
  HWND display = NULL, paths = NULL;
};

}  // namespace

TEST_F(Playlist, ScanListsTheFolderClipsAsSortedPairs) {
  dlg.ScanFolder(folder);
  std::vector<std::string> texts = Items(display), full = Items(paths);
  ASSERT_EQ(texts.size(), 6u);  // no c.txt, clip.Mov, .MOV or the D.MOV folder
  ASSERT_EQ(full.size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    // Every row's name is the name of the path beside it (1.MOV is not taken for 11.MOV).
    std::string name = texts[i].substr(0, texts[i].find(' '));
    EXPECT_EQ(full[i], folder + "\\" + name) << i;
    if (i > 0) {
      EXPECT_LE(lstrcmpiA(texts[i - 1].c_str(), texts[i].c_str()), 0) << "sorted";
    }
  }
  for (const std::string& t : texts) {
    if (t.rfind("A.MOV", 0) == 0) {
      EXPECT_EQ(t.find("     2"), 15u) << t;  // padded to 15
    }
    if (t.rfind("20230405_123456R.MOV", 0) == 0) {
      EXPECT_EQ(t.find("     2"), 20u) << t;
    }
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

TEST_F(Playlist, StartFilesAreListedOnlyWhenTheyAreFiles) {
  dlg.AddStartupFile(folder + "\\missing.MOV");  // its box is answered
  ASSERT_EQ(Items(display).size(), 1u);
  EXPECT_EQ(ItemText(display, 0), "missing.MOV    ");  // no time to show
  EXPECT_EQ(ItemText(paths, 0), folder + "\\missing.MOV");
  dlg.AddStartupFile(folder + "\\D.MOV");  // a folder is never a row
  EXPECT_EQ(Items(display).size(), 1u);
}

// Not a timed test: the figure goes to the test's output for the notes.
TEST_F(Playlist, AFolderOfFiveHundredClipsIsListedInOnePass) {
  ScratchDir big;
  for (int i = 0; i < 500; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%08d_120000R.MOV", 20230000 + i);
    big.Write(name, "");
  }
  LARGE_INTEGER t0, t1, frequency;
  QueryPerformanceCounter(&t0);
  dlg.ScanFolder(big.Path());
  QueryPerformanceCounter(&t1);
  QueryPerformanceFrequency(&frequency);
  const long long ms = (t1.QuadPart - t0.QuadPart) * 1000 / frequency.QuadPart;
  std::printf("SCAN 500 clips: %lld ms\n", ms);
  RecordProperty("scan_500_ms", std::to_string(ms));
  const std::vector<std::string> texts = Items(display), full = Items(paths);
  ASSERT_EQ(texts.size(), 500u);
  for (size_t i = 0; i < texts.size(); i += 37)
    EXPECT_EQ(full[i], big.Path() + texts[i].substr(0, texts[i].find(' '))) << i;
}

// After the rows change, each row's facts and the trips follow from posted
// chunks, also when the rows change again before the reading is done: every
// row of the trips is the clip of its row in the list.
TEST_F(Playlist, TheTripsFollowTheRows) {
  dlg.ScanFolder(folder);
  SendMessageA(display, LB_SETCURSEL, 2, 0);
  dlg.DeleteEntry();  // before any chunk was read
  ASSERT_TRUE(PumpUntil([&] { return !dlg.ReadingListedFacts(); }));
  const std::vector<std::string> full = Items(paths);
  ASSERT_EQ(dlg.Trips().RowCount(), 5);
  for (int row = 0; row < 5; ++row)
    EXPECT_EQ(full[row], folder + "\\" + dlg.Trips().Facts(row)->strName) << row;
  SendMessageA(display, LB_SETCURSEL, 0, 0);
  dlg.DeleteEntry();
  ASSERT_TRUE(PumpUntil([&] { return !dlg.ReadingListedFacts(); }));
  EXPECT_EQ(dlg.Trips().RowCount(), 4);
  EXPECT_EQ(dlg.Trips().Facts(0)->strName, Items(paths)[0].substr(folder.size() + 1));
}

// Not a timed test: the figures go to the test's output for the notes. 500
// one-minute clips with their sidecars, five drives of 100 clips, each clip
// with the demo drive's hard brake.
TEST_F(Playlist, FiveHundredClipsGetTheirTripsAndDotsAfterTheListing) {
  ScratchDir big;
  for (int i = 0; i < 500; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%03d.MOV", i);
    big.Write(name, "");
    demo::DemoDriveOptions drive;
    drive.seconds = 60;
    drive.hour = 1 + 2 * (i / 100);
    drive.minute = (i % 100) % 60;
    drive.hour += (i % 100) / 60;
    drive.second = 0;
    std::snprintf(name, sizeof name, "%03d.nmea", i);
    big.Write(name, demo::MakeDemoSidecar(drive));
  }
  LARGE_INTEGER t0, t1, t2, frequency;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&t0);
  dlg.ScanFolder(big.Path());
  QueryPerformanceCounter(&t1);
  ASSERT_TRUE(PumpUntil([&] { return !dlg.ReadingListedFacts(); }, 60000));
  QueryPerformanceCounter(&t2);
  auto ms = [&](const LARGE_INTEGER& a, const LARGE_INTEGER& b) {
    return static_cast<long long>((b.QuadPart - a.QuadPart) * 1000 / frequency.QuadPart);
  };
  std::printf("LIST 500 clips with sidecars: rows %lld ms, all facts and dots %lld ms\n",
              ms(t0, t1), ms(t0, t2));
  RecordProperty("list_500_facts_ms", std::to_string(ms(t0, t2)));
  const TripIndex& trips = dlg.Trips();
  ASSERT_EQ(trips.RowCount(), 500);
  EXPECT_EQ(trips.TripCount(), 5);
  int dots = 0;
  for (int row = 0; row < 500; ++row) dots += trips.HasEvents(row) ? 1 : 0;
  EXPECT_EQ(dots, 500);
  // A trip's first row is taller than the rows after it.
  EXPECT_GT(SendMessageA(display, LB_GETITEMHEIGHT, 0, 0),
            SendMessageA(display, LB_GETITEMHEIGHT, 1, 0));
  EXPECT_GT(SendMessageA(display, LB_GETITEMHEIGHT, 100, 0),
            SendMessageA(display, LB_GETITEMHEIGHT, 99, 0));
}
