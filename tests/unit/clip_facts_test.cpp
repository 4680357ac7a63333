// What a listed clip brings: its times (GPS, else the file's), distance and events.
#include "app/clip_facts.h"

#include <gtest/gtest.h>

#include "tests/unit/test_files.h"
#include "tools/demo/demo_drive.h"

namespace {

constexpr int64_t kDemoStart = 1716002100;  // 2024-05-18 03:15:00 UTC, the demo drive's start
constexpr int64_t kWrite = 1800000000;

std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

// An MP4 file of that length in milliseconds: ftyp, then moov with its mvhd.
std::string Mp4(uint32_t milliseconds) {
  const std::string mvhd = Be32(108) + "mvhd" + std::string(12, '\0') + Be32(1000) +
                           Be32(milliseconds) + std::string(80, '\0');
  return Be32(16) + "ftypisom" + std::string(4, '\0') + Be32(8 + 108) + "moov" + mvhd;
}

std::string Demo(int seconds) {
  demo::DemoDriveOptions options;
  options.seconds = seconds;
  return demo::MakeDemoSidecar(options);
}

// The demo drive with its first ten seconds moved to its end: a receiver
// whose clock stepped back.
std::string ClockBack() {
  const std::string text = Demo(30);
  const size_t b = text.rfind('\n', text.find("031510")) + 1;
  return text.substr(b) + text.substr(0, b);
}

std::string Undated(std::string text) {  // every RMC date field emptied
  for (size_t at = text.find("180524"); at != std::string::npos; at = text.find("180524", at))
    text.erase(at, 6);
  return text;
}

}  // namespace

TEST(ClipFacts, TimesComeFromGpsElseFromTheFile) {
  ScratchDir dir;
  const std::string clip60 = dir.Write("A.MP4", Mp4(60000));
  const std::string clip = dir.Write("B.MP4", Mp4(61500));
  const std::string demo = dir.Write("A.nmea", Demo(60));
  const struct {
    const char* what;
    std::string clip, sidecar;
    ClipTimeSource source;
    int64_t start, end;
    bool sidecarRead;
  } kCases[] = {
      {"dated RMC lines", clip60, demo, ClipTimeSource::kGps, kDemoStart, kDemoStart + 60, true},
      {"a rear clip reads its front clip's sidecar", dir.Write("AR.MP4", Mp4(60000)), demo,
       ClipTimeSource::kGps, kDemoStart, kDemoStart + 60, true},
      {"no sidecar", clip, "", ClipTimeSource::kFileTime, kWrite - 62, kWrite, false},
      {"a sidecar that is missing", clip, dir.Path() + "none.nmea", ClipTimeSource::kFileTime,
       kWrite - 62, kWrite, false},
      {"RMC lines without dates", clip, dir.Write("u.nmea", Undated(Demo(60))),
       ClipTimeSource::kFileTime, kWrite - 62, kWrite, true},
      {"a GPS clock going backwards", clip, dir.Write("c.nmea", ClockBack()),
       ClipTimeSource::kFileTime, kWrite - 62, kWrite, true},
      {"an unreadable clip", dir.Path() + "gone.MP4", "", ClipTimeSource::kFileTimeNoLength,
       kWrite - kUnknownClipLengthSec, kWrite, false},
      {"a clip that is no MP4", dir.Write("t.MP4", "text"), "",
       ClipTimeSource::kFileTimeNoLength, kWrite - kUnknownClipLengthSec, kWrite, false},
      {"a folder as the sidecar", clip, dir.Path(), ClipTimeSource::kFileTime, kWrite - 62,
       kWrite, false},
  };
  for (const auto& c : kCases) {
    const ClipFacts facts = ReadClipFacts(c.clip, c.sidecar, kWrite);
    EXPECT_EQ(facts.source, c.source) << c.what;
    EXPECT_EQ(facts.nStart, c.start) << c.what;
    EXPECT_EQ(facts.nEnd, c.end) << c.what;
    EXPECT_EQ(facts.bHasSidecar, c.sidecarRead) << c.what;
  }
}

TEST(ClipFacts, DistanceAndEventsFromTheSidecar) {
  ScratchDir dir;
  const ClipFacts facts =
      ReadClipFacts(dir.Write("A.MP4", Mp4(60000)), dir.Write("A.nmea", Demo(60)), kWrite);
  EXPECT_EQ(facts.strName, "A.MP4");
  ASSERT_EQ(facts.events.size(), 1u);
  EXPECT_EQ(facts.events[0].nSecond, 49);
  // The demo drive covers a few hundred metres in its first minute.
  EXPECT_GT(facts.dKm, 0.1);
  EXPECT_LT(facts.dKm, 1.5);
  const ClipFacts none = ReadClipFacts(dir.Write("B.MP4", Mp4(60000)), "", kWrite);
  EXPECT_TRUE(none.events.empty());
  EXPECT_EQ(none.dKm, 0);
}
