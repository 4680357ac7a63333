#include <gtest/gtest.h>

#include "app/clip_names.h"
#include "app/command_line.h"
#include "app/playlist_text.h"
#include "app/time_text.h"

TEST(StartCommandLine, ClipAndSecondInBothQuotingForms) {
  const std::string folder = "C:\\Prog\\";
  struct Case {
    const char* line;
    bool parsed;
    const char* clip;
    const char* second;
  } cases[] = {
      {"\"C:\\Prog\\player.exe\" D:\\DCIM\\clip01.MOV-35", true, "D:\\DCIM\\clip01.MOV", "35"},
      {"\"C:\\Prog\\player.exe\" \"D:\\My Clips\\clip01.MOV-0\"", true, "D:\\My Clips\\clip01.MOV",
       "0"},
      {"\"C:\\Prog\\player.exe\" D:\\trip-day2\\clip.MOV-12", true, "D:\\trip-day2\\clip.MOV",
       "12"},
      {"\"C:\\Prog\\player.exe\" clip01.MOV-5", true, "C:\\Prog\\clip01.MOV", "5"},
      {"\"C:\\Prog\\player.exe\"    D:\\x.MOV -7 ", true, "D:\\x.MOV", "7 "},
      {"\"C:\\Prog\\player.exe\" D:\\x.MOV--3", true, "D:\\x.MOV-", "3"},
      {"\"C:\\Prog\\player.exe\" D:\\DCIM\\clip01.MOV", false, "", ""},
      {"C:\\Prog\\player.exe D:\\DCIM\\clip01.MOV-35", false, "", ""},
      {"\"C:\\Prog\\player.exe\"", false, "", ""},
      {"\"C:\\Prog\\player.exe", false, "", ""},
      {"", false, "", ""},
  };
  for (const Case& c : cases) {
    StartRequest r;
    ASSERT_EQ(ParseStartCommandLine(c.line, folder, r), c.parsed) << c.line;
    if (!c.parsed) continue;
    EXPECT_EQ(r.strClip, c.clip) << c.line;
    EXPECT_EQ(r.strSecond, c.second) << c.line;
  }
  EXPECT_EQ(ProgramFolderOf("C:\\Prog\\player.exe"), "C:\\Prog\\");
  EXPECT_EQ(ProgramFolderOf("player.exe"), "");
}

// What stood on the command line is kept, so the user can be told what did not open.
TEST(StartCommandLine, AnArgumentWithoutSecondIsKeptForTheMessage) {
  StartRequest r;
  EXPECT_FALSE(ParseStartCommandLine("\"C:\\p.exe\" \"D:\\DCIM\\clip01.MOV\" ", "C:\\", r));
  EXPECT_EQ(r.strArgument, "D:\\DCIM\\clip01.MOV");
  EXPECT_EQ(StartProblemText(r, false).find("The clip to start with cannot be opened:\r\n"
                                            "D:\\DCIM\\clip01.MOV\r\n"),
            0u);
  StartRequest none;
  EXPECT_FALSE(ParseStartCommandLine("\"C:\\p.exe\"   ", "C:\\", none));
  EXPECT_EQ(none.strArgument, "");
}

TEST(ClipNames, SidecarPathRule) {
  struct Case {
    const char* clip;
    const char* sidecar;
  } cases[] = {
      {"D:\\DCIM\\20230302_120000R.MOV", "D:\\DCIM\\20230302_120000.nmea"},
      {"D:\\REC\\clip.ts", "D:\\REC\\clip.nmea"},
      {"D:\\Rides\\clip.MOV", "D:\\Rides\\clip.nmea"},  // an R elsewhere stays
      {"D:\\clipr.MP4", "D:\\clipr.nmea"},              // only a capital R
      {"R.MOV", ".nmea"},
      {"D:\\x\\.MOV", "D:\\x\\.nmea"},
      // Folders are not searched: an extension-like text there does not cut the path.
      {"D:\\a.ts\\clip.mp4", "D:\\a.ts\\clip.nmea"},
      {"C:\\Users\\d.tsai\\Videos\\20230302R.MOV", "C:\\Users\\d.tsai\\Videos\\20230302.nmea"},
      {"D:/MOVIES.MOV/clip.TS", "D:/MOVIES.MOV/clip.nmea"},
      // A name without a clip extension has no sidecar (not ".nmea" in the current folder).
      {"D:\\notes.txt", ""},
      {"D:\\a.mp4\\notes", ""},
      {".MOV", ""},  // a match at the start does not count
  };
  for (const Case& c : cases) EXPECT_EQ(SidecarPathOf(c.clip), c.sidecar) << c.clip;
}

TEST(ClipNames, VideoFileTest) {
  for (const char* yes : {"A.MOV", "b.mp4", "x.TSV", "clip.avi", "a.ts", "z.MP4.bak"})
    EXPECT_TRUE(IsVideoFileName(yes)) << yes;
  for (const char* no : {"c.txt", "clip.Mov", ".MOV", "movie", "", "A.Mp4"})
    EXPECT_FALSE(IsVideoFileName(no)) << no;
}

TEST(TimeTexts, ClockAndPlaylist) {
  EXPECT_EQ(TimeText(0, 3725), " 00:00:00 / 01:02:05 ");
  EXPECT_EQ(TimeText(10, 3725), " 00:00:10 / 01:02:05 ");
  EXPECT_EQ(TimeText(0, 0), " 00:00:00 / 00:00:00 ");
  EXPECT_EQ(TimeText(216005, 59 * 3600 + 59 * 60 + 59),
            " 00:00:05 / 59:59:59 ");  // hours wrap at 60

  std::tm t{};
  t.tm_year = 2023 - 1900;
  t.tm_mon = 3;
  t.tm_mday = 5;
  t.tm_hour = 12;
  t.tm_min = 34;
  t.tm_sec = 56;
  EXPECT_EQ(PlaylistTimeText(t, false), "     2023-04-05 12:34:56");
  EXPECT_EQ(PlaylistTimeText(t, true), "     2023-04-05 12:34:56     G");
  EXPECT_EQ(PlaylistDisplayText("A.MOV", "     T"), "A.MOV               T");
  EXPECT_EQ(PlaylistDisplayText("20230405_123456R.MOV", "     T"), "20230405_123456R.MOV     T");
  EXPECT_EQ(PlaylistDisplayText("A.MOV", ""), "A.MOV          ");
  EXPECT_EQ(FileNameOf("D:\\DCIM\\A.MOV"), "A.MOV");
  EXPECT_EQ(FileNameOf("A.MOV"), "A.MOV");
}
