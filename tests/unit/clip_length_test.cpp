// The clip length read from MP4/MOV movie headers and AVI main headers, and
// the receiver times of a sidecar.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "telemetry/sidecar_times.h"
#include "tests/unit/test_files.h"
#include "video/clip_length.h"

namespace {

std::string Be(uint64_t v, int bytes) {
  std::string s;
  for (int i = bytes - 1; i >= 0; --i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

std::string Le(uint64_t v, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

std::string Box(const std::string& type, const std::string& payload) {
  return Be(payload.size() + 8, 4) + type + payload;
}

std::string Mvhd(int version, uint32_t scale, uint64_t duration) {
  const int t = version == 1 ? 8 : 4;
  return Box("mvhd", std::string(1, static_cast<char>(version)) + std::string(3, '\0') +
                         std::string(2 * t, '\0') + Be(scale, 4) + Be(duration, t) +
                         std::string(80, '\0'));
}

std::string Mp4(const std::string& moovBody) {
  return Box("ftyp", "isom" + std::string(4, '\0')) + Box("mdat", std::string(64, 'x')) +
         Box("moov", moovBody);
}

std::string Chunk(const std::string& id, const std::string& body) {
  return id + Le(body.size(), 4) + body + (body.size() % 2 ? std::string(1, '\0') : "");
}

std::string Avih(uint32_t usPerFrame, uint32_t frames) {
  return Chunk("avih", Le(usPerFrame, 4) + std::string(12, '\0') + Le(frames, 4) +
                           std::string(36, '\0'));
}

std::string Avi(const std::string& hdrlBody) {
  const std::string body = "AVI " + Chunk("LIST", "hdrl" + hdrlBody) + Chunk("LIST", "movi");
  return "RIFF" + Le(body.size(), 4) + body;
}

bool Length(const std::string& bytes, double& seconds) {
  const ReadAt read = [&](uint64_t offset, void* buf, size_t n) -> size_t {
    if (offset >= bytes.size()) return 0;
    const size_t got = std::min<size_t>(n, bytes.size() - offset);
    std::memcpy(buf, bytes.data() + offset, got);
    return got;
  };
  return ReadClipLength(bytes.size(), read, seconds);
}

}  // namespace

TEST(ClipLength, ContainerHeadersGiveTheLengthOrNothing) {
  const std::string good = Mp4(Mvhd(0, 1000, 60000) + Box("trak", ""));
  const struct {
    const char* what;
    std::string bytes;
    double seconds;  // 0: unknown
  } kCases[] = {
      {"mvhd version 0", good, 60},
      {"mvhd version 1", Mp4(Mvhd(1, 90000, 90000ull * 185 / 2)), 92.5},
      {"movie header after a track", Mp4(Box("trak", std::string(20, 't')) + Mvhd(0, 600, 36000)),
       60},
      {"64-bit box size", Be(1, 4) + "moov" + Be(16 + Mvhd(0, 10, 30).size(), 8) + Mvhd(0, 10, 30),
       3},
      {"zero timescale", Mp4(Mvhd(0, 0, 60000)), 0},
      {"zero duration", Mp4(Mvhd(0, 1000, 0)), 0},
      {"duration unknown to the writer", Mp4(Mvhd(0, 1000, 0xFFFFFFFFu)), 0},
      {"absurd length", Mp4(Mvhd(1, 1, uint64_t{1} << 40)), 0},
      {"unknown version", Mp4(Mvhd(2, 1000, 60000)), 0},
      {"no movie header", Mp4(Box("trak", "")), 0},
      {"cut inside the movie box", good.substr(0, good.size() - 40), 0},
      {"cut inside the movie header", good.substr(0, good.size() - 90), 0},
      {"AVI 30 frames a second", Avi(Avih(33333, 1800) + Chunk("LIST", "strl")), 59.9994},
      {"AVI over 1 GB counts its OpenDML frames",
       Avi(Avih(40000, 100) + Chunk("LIST", "strl") + Chunk("LIST", "odml" + Chunk("dmlh", Le(1500, 4)))),
       60},
      {"AVI without frames", Avi(Avih(40000, 0)), 0},
      {"AVI without a main header", Avi(Chunk("LIST", "strl")), 0},
      {"AVI cut in its main header", Avi(Avih(40000, 1500)).substr(0, 40), 0},
      {"text", "hello, this is not a video at all", 0},
      {"empty", "", 0},
  };
  for (const auto& c : kCases) {
    double seconds = -1;
    EXPECT_EQ(Length(c.bytes, seconds), c.seconds > 0) << c.what;
    EXPECT_NEAR(seconds, c.seconds, 1e-3) << c.what;
  }
}

TEST(ClipLength, FilesOnDiskAndOnesThatCannotBeRead) {
  ScratchDir dir;
  double seconds = 0;
  EXPECT_TRUE(ReadClipLengthOfFile(dir.Write("a.MP4", Mp4(Mvhd(0, 1000, 61500))), seconds));
  EXPECT_DOUBLE_EQ(seconds, 61.5);
  EXPECT_FALSE(ReadClipLengthOfFile(dir.Path() + "missing.MP4", seconds));
  EXPECT_FALSE(ReadClipLengthOfFile(dir.Path(), seconds));  // a folder
  EXPECT_FALSE(ReadClipLengthOfFile(dir.Write("empty.MP4", ""), seconds));
}

TEST(SidecarTimes, DaysAreCountedAcrossLeapYearsAndCenturies) {
  const struct {
    int64_t year;
    int month, day;
    int64_t days;
  } kCases[] = {{1970, 1, 1, 0},       {1969, 12, 31, -1},    {2000, 2, 29, 11016},
                {2000, 3, 1, 11017},    {2024, 5, 18, 19861},  {2100, 3, 1, 47541},
                {1900, 3, 1, -25508}};
  for (const auto& c : kCases)
    EXPECT_EQ(DaysFromCivil(c.year, c.month, c.day), c.days) << c.year << "-" << c.month;
  EXPECT_EQ(UtcSeconds(2024, 5, 18, 3, 15, 0), 1716002100);
}

TEST(SidecarTimes, FirstAndLastDatedPositionLines) {
  const std::string a = "$GPRMC,031500.00,A,4807.038,N,01131.000,E,22.4,84.4,180524,,,A\r\n";
  const std::string b = "$GNRMC,031659,V,,,,,,,180524,,,N\r\n";
  const std::string t = "$GPGGA,031700.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,,,,\r\n";
  const struct {
    const char* what;
    std::string bytes;
    bool found;
    int64_t first, last;
  } kCases[] = {
      {"two talkers, without a fix too", a + t + b, true, 1716002100, 1716002219},
      {"one line", a, true, 1716002100, 1716002100},
      {"LF, NUL padding after a cut", a + std::string(40, '\0') + b.substr(0, 20), true,
       1716002100, 1716002100},
      {"checksum given and right", "$GPRMC,000001,A,,,,,,,010124,,*21\n", true, 1704067201, 1704067201},
      {"checksum given and wrong", "$GPRMC,000001,A,,,,,,,010124,,*20\n", false, 0, 0},
      {"proprietary line", "$PXRMC,000001,A,,,,,,,010170,,\n", false, 0, 0},
      {"no date", "$GPRMC,031500,A,,,,,,,,,\n", false, 0, 0},
      {"cut date", "$GPRMC,031500,A,,,,,,,1805", false, 0, 0},
      {"no time", "$GPRMC,,V,,,,,,,180524,,\n", false, 0, 0},
      {"hour 24", "$GPRMC,240000,A,,,,,,,180524,,\n", false, 0, 0},
      {"30 February", "$GPRMC,120000,A,,,,,,,300224,,\n", false, 0, 0},
      {"29 February of a leap year", "$GPRMC,120000,A,,,,,,,290224,,\n", true, 1709208000,
       1709208000},
      {"1990s year", "$GPRMC,000000,A,,,,,,,010199,,\n", true, 915148800, 915148800},
      {"after a Ctrl-Z", a + "\x1a" + b, true, 1716002100, 1716002100},
      {"nothing", "", false, 0, 0},
  };
  for (const auto& c : kCases) {
    const SidecarTimes times = FindSidecarTimes(c.bytes);
    EXPECT_EQ(times.bFound, c.found) << c.what;
    if (!c.found) continue;
    EXPECT_EQ(times.nFirst, c.first) << c.what;
    EXPECT_EQ(times.nLast, c.last) << c.what;
  }
}
