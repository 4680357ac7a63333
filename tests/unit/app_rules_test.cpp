#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/clip_names.h"
#include "app/command_line.h"
#include "app/playlist_text.h"
#include "app/time_text.h"

// What "Open with", a file association and a typed command pass: the clip alone
// or with the second to start at; relative paths from the current folder.
TEST(StartCommandLine, ClipWithOrWithoutSecond) {
  const std::string folder = "E:\\Work";
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
      {"\"C:\\Prog\\player.exe\"    D:\\x.MOV -7 ", true, "D:\\x.MOV", "7"},
      {"\"C:\\Prog\\player.exe\" D:\\x.MOV--3", true, "D:\\x.MOV-", "3"},
      // The clip alone plays from the start.
      {"\"C:\\Prog\\player.exe\" \"D:\\clips\\a.MP4\"", true, "D:\\clips\\a.MP4", "0"},
      {"\"C:\\Prog\\player.exe\" D:\\clips\\a.MP4", true, "D:\\clips\\a.MP4", "0"},
      {"\"C:\\Prog\\player.exe\" D:\\My Clips\\a.MP4 ", true, "D:\\My Clips\\a.MP4", "0"},
      {"\"C:\\Prog\\player.exe\" \"D:\\clips\\a.MP4\" \"D:\\clips\\b.MP4\"", true,
       "D:\\clips\\a.MP4", "0"},
      // A minus sign not followed by digits only is part of the path.
      {"\"C:\\Prog\\player.exe\" D:\\dash-cam\\clip.MP4", true, "D:\\dash-cam\\clip.MP4", "0"},
      {"\"C:\\Prog\\player.exe\" \"D:\\cam\\20230302-120000.MOV\"", true,
       "D:\\cam\\20230302-120000.MOV", "0"},
      {"\"C:\\Prog\\player.exe\" D:\\x.MOV-", true, "D:\\x.MOV-", "0"},
      {"\"C:\\Prog\\player.exe\" D:\\x.MOV-1a", true, "D:\\x.MOV-1a", "0"},
      {"\"C:\\Prog\\player.exe\" D:\\x.MOV-+5", true, "D:\\x.MOV-+5", "0"},
      // Relative paths start from the current folder, not the program's.
      {"\"C:\\Prog\\player.exe\" clip01.MOV-5", true, "E:\\Work\\clip01.MOV", "5"},
      {"\"C:\\Prog\\player.exe\" ..\\up\\a.MP4", true, "E:\\Work\\..\\up\\a.MP4", "0"},
      {"\"C:\\Prog\\player.exe\" \\clips\\a.MP4", true, "E:\\clips\\a.MP4", "0"},
      {"\"C:\\Prog\\player.exe\" \\\\server\\share\\a.MP4-9", true, "\\\\server\\share\\a.MP4",
       "9"},
      // No clip named.
      {"\"C:\\Prog\\player.exe\" -35", false, "", ""},
      {"C:\\Prog\\player.exe D:\\DCIM\\clip01.MOV-35", false, "", ""},
      {"\"C:\\Prog\\player.exe\"", false, "", ""},
      {"\"C:\\Prog\\player.exe\"   ", false, "", ""},
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
  EXPECT_EQ(AbsolutePathOf("a.MP4", "E:\\"), "E:\\a.MP4");
  EXPECT_EQ(AbsolutePathOf("a.MP4", ""), "a.MP4");
}

// The user is told what did not open, also when it named no clip at all.
TEST(StartCommandLine, ProblemTextNamesWhatWasGiven) {
  StartRequest r;
  ASSERT_TRUE(ParseStartCommandLine("\"C:\\p.exe\" \"D:\\DCIM\\clip01.MOV-4\" ", "C:\\", r));
  EXPECT_EQ(StartProblemText(r).find("The clip to start with cannot be opened:\r\n"
                                     "D:\\DCIM\\clip01.MOV\r\n"),
            0u);
  ASSERT_FALSE(ParseStartCommandLine("\"C:\\p.exe\" -12", "C:\\", r));
  EXPECT_EQ(StartProblemText(r).find("The clip to start with cannot be opened:\r\n-12\r\n"), 0u);
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
      {"D:\\x\\R.MOV", "D:\\x\\R.nmea"},                // the R is all the name has
      {"R.MOV", "R.nmea"},
      // The extension is the one the name ends with.
      {"D:\\trip.movie.MP4", "D:\\trip.movie.nmea"},
      {"D:\\a.ts.MOV", "D:\\a.ts.nmea"},
      {"D:\\clip.MP4.avi", "D:\\clip.MP4.nmea"},
      {"D:\\tripR.mov.MP4", "D:\\tripR.mov.nmea"},
      // Folders are not searched: an extension-like text there does not cut the path.
      {"D:\\a.ts\\clip.mp4", "D:\\a.ts\\clip.nmea"},
      {"C:\\Users\\d.tsai\\Videos\\20230302R.MOV", "C:\\Users\\d.tsai\\Videos\\20230302.nmea"},
      {"D:/MOVIES.MOV/clip.TS", "D:/MOVIES.MOV/clip.nmea"},
      // A name without a clip extension at its end has no sidecar.
      {"D:\\notes.txt", ""},
      {"D:\\a.mp4\\notes", ""},
      {"D:\\clip.MP4.jpg", ""},
      {"D:\\clip.Mp4", ""},
      {"D:\\x\\.MOV", ""},  // only the extension
      {".MOV", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(SidecarPathOf(c.clip), c.sidecar) << c.clip;
}

// A rear clip reads a sidecar under its own name when there is one.
TEST(ClipNames, RearClipPrefersItsOwnSidecar) {
  std::vector<std::string> asked;
  const auto onDisk = [&asked](const std::vector<std::string>& files) {
    return [&asked, files](const std::string& path) {
      asked.push_back(path);
      return std::find(files.begin(), files.end(), path) != files.end();
    };
  };
  EXPECT_EQ(SidecarPathOf("D:\\HARBOR.MP4", onDisk({"D:\\HARBOR.nmea"})), "D:\\HARBOR.nmea");
  EXPECT_EQ(SidecarPathOf("D:\\HARBOR.MP4", onDisk({"D:\\HARBO.nmea"})), "D:\\HARBO.nmea");
  EXPECT_EQ(SidecarPathOf("D:\\HARBOR.MP4", onDisk({})), "D:\\HARBO.nmea");
  EXPECT_EQ(SidecarPathOf("D:\\DCIM\\20230302_120000R.MOV", onDisk({"D:\\DCIM\\20230302_120000.nmea"})),
            "D:\\DCIM\\20230302_120000.nmea");
  asked.clear();
  // Only a rear clip makes the question worth asking.
  EXPECT_EQ(SidecarPathOf("D:\\clip.MOV", onDisk({})), "D:\\clip.nmea");
  EXPECT_EQ(SidecarPathOf("D:\\clip.txt", onDisk({})), "");
  EXPECT_TRUE(asked.empty());
}

TEST(ClipNames, VideoFileTest) {
  for (const char* yes : {"A.MOV", "b.mp4", "clip.avi", "a.ts", "x.TS", "trip.movie.MP4",
                          "20230302R.MOV", "D:\\a\\b.AVI", "a b.mov"})
    EXPECT_TRUE(IsVideoFileName(yes)) << yes;
  for (const char* no : {"c.txt", "clip.Mov", ".MOV", "movie", "", "A.Mp4", "x.TSV",
                         "z.MP4.bak", "trip.movie.nmea", "clip.MP4.jpg", "clip.MP4.xmp",
                         "D:\\a.mp4\\notes", "D:\\a\\.mp4", "clip.MP4 "})
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
