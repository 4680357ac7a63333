// What a snapshot writes beside its frame: names, the recording time, the
// one-second block of the sidecar and the picture's file header.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "video/second_block.h"
#include "video/snapshot_files.h"

namespace {

// `seconds` blocks of `perSecond` lines, each line ended by a line feed unless told.
std::string Sidecar(int seconds, int perSecond, bool lastFeed = true) {
  std::string text;
  for (int s = 0; s < seconds; ++s)
    for (int line = 0; line < perSecond; ++line) {
      if (line < 5)
        text += "$GSENSOR," + std::to_string(s) + "\r\n";
      else if (line == 5 && perSecond == 9)
        text += "$SPEED,1,1\r\n";
      else if (line == perSecond - 3)
        text += "$GPRMC," + std::to_string(s) + "\r\n";
      else if (line == perSecond - 2)
        text += "$GPGGA," + std::to_string(s) + "\r\n";
      else
        text += "$GPGSA," + std::to_string(s) + "\r\n";
    }
  if (!lastFeed) text.pop_back();
  return text;
}

std::string Block(const std::string& sidecar, int length, int second, int64_t* first = nullptr) {
  std::string out;
  const int64_t line = ExtractSecondBlock(sidecar, length, second, out);
  if (first) *first = line;
  return out;
}

}  // namespace

TEST(SecondBlock, EightLineSidecarsGiveThatSecondsLines) {
  const std::string full = Sidecar(60, 8);
  int64_t first = 0;
  EXPECT_EQ(Block(full, 60, 0, &first).substr(0, 12), "$GSENSOR,0\r\n");
  EXPECT_EQ(first, 0);
  const std::string last = Block(full, 60, 59, &first);
  EXPECT_EQ(first, 472);
  EXPECT_EQ(last.substr(0, 11), "$GSENSOR,59");
  EXPECT_EQ(last.substr(last.size() - 10), "$GPGSA,59\r") << "the last line feed stays out";
}

// Two seconds short: missing at the start of the clip.
TEST(SecondBlock, ShortSidecarsPadTheirFirstSecondsAndNeverReadPastTheText) {
  const std::string short2 = Sidecar(58, 8);
  EXPECT_EQ(Block(short2, 60, 2), PaddingBlock());
  EXPECT_EQ(Block(short2, 60, 3).substr(0, 11), "$GSENSOR,1\r");
  const std::string unended = Sidecar(60, 8, false);
  EXPECT_EQ(Block(unended, 60, 0), PaddingBlock());
  EXPECT_EQ(Block(unended, 60, 59), PaddingBlock()) << "its last block ends past the text";
  EXPECT_EQ(Block("", 60, 10), PaddingBlock());
}

TEST(SecondBlock, SidecarsWithPulseLinesCutNineLinesASecond) {
  const std::string nine = Sidecar(20, 9);
  EXPECT_EQ(LinesPerSecond(nine), 9);
  EXPECT_EQ(LinesPerSecond(Sidecar(20, 8)), 8);
  std::string talkers = nine;  // a receiver of several systems names them otherwise
  for (size_t at = talkers.find("$GPRMC"); at != std::string::npos; at = talkers.find("$GPRMC"))
    talkers.replace(at, 6, "$GNRMC");
  EXPECT_EQ(LinesPerSecond(talkers), 9);
  int64_t first = 0;
  const std::string block = Block(nine, 20, 7, &first);
  EXPECT_EQ(first, 63);
  EXPECT_EQ(block.substr(0, 11), "$GSENSOR,7\r");
  EXPECT_EQ(block.substr(block.size() - 9), "$GPGSA,7\r");
  EXPECT_NE(block.find("$SPEED"), std::string::npos);
}

TEST(SnapshotFiles, NamesComeFromTheRecordingTime) {
  // Modified at 12:00:00, a 60 s clip, second 29: recorded 12:00:00 - 30 s + 9 h.
  EXPECT_EQ(RecordingTime(1000000, 60, 29), 1000000 - 30 + 32400);
  std::tm local{};
  local.tm_year = 123, local.tm_mon = 3, local.tm_mday = 5;
  local.tm_hour = 12, local.tm_min = 34, local.tm_sec = 56;
  EXPECT_EQ(DefaultSnapshotName(local), "230405-123456.bmp");

  auto only = [](const std::string& existing) {
    return [existing](const std::string& path) { return path == existing; };
  };
  EXPECT_EQ(SnapshotTimeSource("D:\\a\\X_R.MOV", only("D:\\a\\X_R.nmea")), "D:\\a\\X_R.nmea");
  EXPECT_EQ(SnapshotTimeSource("D:\\a\\X_R.MOV", only("D:\\a\\X_.nmea")), "D:\\a\\X_R.MOV");

  EXPECT_EQ(SnapshotSidecarPath("D:\\shots\\230405-123456.bmp"), "D:\\shots\\230405-123456.nmea");
  EXPECT_EQ(SnapshotSidecarPath("D:\\v1.2\\frame"), "D:\\v1.2\\frame.nmea");
}

TEST(SnapshotFiles, TheHeaderFollowsTheBitmapItIsGiven) {
  std::string packed(40 + 12 + 16, '\0');
  packed[0] = 40;   // header size
  packed[14] = 32;  // bits per pixel
  packed[16] = 3;   // BI_BITFIELDS: three masks follow
  const auto* bytes = reinterpret_cast<const uint8_t*>(packed.data());
  const std::string header = BmpFileHeader(bytes, packed.size());
  ASSERT_EQ(header.size(), 14u);
  EXPECT_EQ(header.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<uint8_t>(header[2]), 14 + packed.size());
  EXPECT_EQ(static_cast<uint8_t>(header[10]), 14 + 40 + 12);
  packed[16] = 0, packed[14] = 8;  // a palette of 256 entries
  EXPECT_EQ(static_cast<uint8_t>(BmpFileHeader(bytes, packed.size())[11]), (14 + 40 + 1024) >> 8);
  EXPECT_TRUE(BmpFileHeader(bytes, 20).empty());
}

namespace {

// A folder of clips and their sidecars, looked up as the file system does it
// (without regard to case).
bool InClipFolder(const std::string& path) {
  static const char* const kFiles[] = {
      "d:\\clips\\a.mp4",  "d:\\clips\\a.nmea", "d:\\clips\\b.mp4",    "d:\\clips\\b.nmea",
      "d:\\clips\\c.nmea", "d:\\clips\\d.mov",  "d:\\clips\\shot.bmp", "d:\\clips\\notes.txt",
      "d:\\clips\\e.nmea", "d:\\clips\\g.ts",   "d:\\clips\\g.bmp"};
  std::string lower = path;
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  for (const char* file : kFiles)
    if (lower == file) return true;
  return false;
}

}  // namespace

TEST(SnapshotTarget, NeverReplacesAClipOrASidecarAndAsksBeforeReplacingAnythingElse) {
  using V = SnapshotVerdict;
  struct Row {
    const char* chosen;
    V verdict;
    const char* picture;
    const char* lines;
    const char* named;  // the file the message names ("" for none)
  };
  const Row rows[] = {
      // The lines of b.bmp would replace b.MP4's sidecar.
      {"D:\\clips\\b.bmp", V::kRefuse, "D:\\clips\\b.bmp", "D:\\clips\\b.nmea", "\"b.nmea\""},
      // No extension: ".bmp" is added, and the lines would still go over c.nmea.
      {"D:\\clips\\c", V::kRefuse, "D:\\clips\\c.bmp", "D:\\clips\\c.nmea", "\"c.nmea\""},
      {"D:\\clips\\a.nmea", V::kRefuse, "D:\\clips\\a.nmea", "D:\\clips\\a.nmea", "\"a.nmea\""},
      {"D:\\clips\\E.NMEA", V::kRefuse, "D:\\clips\\E.NMEA", "D:\\clips\\E.nmea", "\"E.NMEA\""},
      {"D:\\clips\\new.nmea", V::kRefuse, "D:\\clips\\new.nmea", "D:\\clips\\new.nmea", ".nmea"},
      {"D:\\clips\\b.MP4", V::kRefuse, "D:\\clips\\b.MP4", "D:\\clips\\b.nmea", "\"b.MP4\""},
      // Clip extensions in any case.
      {"D:\\clips\\B.mp4", V::kRefuse, "D:\\clips\\B.mp4", "D:\\clips\\B.nmea", "\"B.mp4\""},
      {"D:\\clips\\d.mOV", V::kRefuse, "D:\\clips\\d.mOV", "D:\\clips\\d.nmea", "\"d.mOV\""},
      {"D:\\clips\\g.Ts", V::kRefuse, "D:\\clips\\g.Ts", "D:\\clips\\g.nmea", "\"g.Ts\""},
      // Other files that exist are replaced only when the user says so.
      {"D:\\clips\\shot.bmp", V::kAsk, "D:\\clips\\shot.bmp", "D:\\clips\\shot.nmea",
       "\"shot.bmp\""},
      {"D:\\clips\\g.bmp", V::kAsk, "D:\\clips\\g.bmp", "D:\\clips\\g.nmea", "\"g.bmp\""},
      {"D:\\clips\\notes.txt", V::kAsk, "D:\\clips\\notes.txt", "D:\\clips\\notes.nmea",
       "\"notes.txt\""},
      // New names are written at once.
      {"D:\\clips\\fresh", V::kWrite, "D:\\clips\\fresh.bmp", "D:\\clips\\fresh.nmea", ""},
      {"D:\\clips\\fresh.", V::kWrite, "D:\\clips\\fresh.bmp", "D:\\clips\\fresh.nmea", ""},
      {"D:\\clips\\new.MP4", V::kWrite, "D:\\clips\\new.MP4", "D:\\clips\\new.nmea", ""},
      {"D:\\v1.2\\frame", V::kWrite, "D:\\v1.2\\frame.bmp", "D:\\v1.2\\frame.nmea", ""},
      {"D:\\clips\\", V::kRefuse, "", "", "file name"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.chosen);
    const SnapshotTarget target = DecideSnapshotTarget(row.chosen, InClipFolder);
    EXPECT_EQ(target.verdict, row.verdict);
    EXPECT_EQ(target.picture, row.picture);
    EXPECT_EQ(target.lines, row.lines);
    if (*row.named == '\0')
      EXPECT_EQ(target.message, "");
    else
      EXPECT_NE(target.message.find(row.named), std::string::npos) << target.message;
  }
}
