// What a snapshot writes beside its frame: names, the recording time, the
// one-second block of the sidecar and the picture's file header.
#include <gtest/gtest.h>

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
