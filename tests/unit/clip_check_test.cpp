#include "video/clip_check.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

std::string Box(const char* type, const std::string& payload) {
  return Be32(static_cast<uint32_t>(payload.size() + 8)) + type + payload;
}

std::string Track(const char* handler) {
  return Box("trak", Box("tkhd", std::string(84, '\0')) +
                         Box("mdia", Box("mdhd", std::string(24, '\0')) +
                                         Box("hdlr", std::string(8, '\0') + handler +
                                                         std::string(13, '\0'))));
}

std::string Movie(const std::string& tracks) {
  return Box("ftyp", "isom\0\0\0\0isom") + Box("mdat", std::string(3000, 'v')) +
         Box("moov", Box("mvhd", std::string(100, '\0')) + tracks);
}

ClipVerdict Check(const std::string& bytes) {
  return CheckClipFile(bytes.size(), [&](uint64_t offset, void* buf, size_t n) -> size_t {
    if (offset >= bytes.size()) return 0;
    const size_t got = std::min(n, static_cast<size_t>(bytes.size() - offset));
    std::memcpy(buf, bytes.data() + offset, got);
    return got;
  });
}

std::string Avi(const char* streamType) {
  std::string strh = "strh" + std::string("\x38\0\0\0", 4) + streamType + std::string(52, '\0');
  return "RIFF" + Be32(0) + "AVI LIST" + Be32(0) + "hdrlavih" + std::string(60, '\0') + strh;
}

std::string TransportStream(size_t packets) {
  std::string ts;
  for (size_t i = 0; i < packets; ++i) ts += "\x47" + std::string(187, '\x1f');
  return ts;
}

}  // namespace

TEST(ClipCheck, TellsAVideoFromFilesNoDecoderWouldHelp) {
  const std::string video = Movie(Track("soun") + Track("vide"));
  const struct {
    std::string bytes;
    ClipVerdict verdict;
    const char* what;
  } cases[] = {
      {video, ClipVerdict::kVideo, "MP4 with sound and video"},
      {Box("moov", Track("vide")) + Box("mdat", "x"), ClipVerdict::kVideo, "movie first"},
      {Movie(Track("soun")), ClipVerdict::kNoVideo, "sound only"},
      {"", ClipVerdict::kEmpty, "zero bytes"},
      {video.substr(0, video.size() - 40), ClipVerdict::kDamaged, "cut inside the movie box"},
      {Box("ftyp", "isom") + Box("mdat", "frames"), ClipVerdict::kDamaged, "no movie box"},
      {"hello, this is text\r\n", ClipVerdict::kNotVideo, "text"},
      {Avi("vids"), ClipVerdict::kVideo, "AVI"},
      {Avi("auds"), ClipVerdict::kNoVideo, "AVI with sound only"},
      {std::string("RIFF\0\0\0\0AVI junk", 16), ClipVerdict::kDamaged,
       "AVI without stream headers"},
      {TransportStream(3), ClipVerdict::kVideo, "transport stream"},
      {std::string("\0\0\1\xBA", 4) + std::string(100, '\0'), ClipVerdict::kVideo,
       "program stream"},
  };
  for (const auto& c : cases) EXPECT_EQ(Check(c.bytes), c.verdict) << c.what;
}

TEST(ClipCheck, BoxSizesThatLieAreDamageNotAReadPastTheEnd) {
  std::string huge = Box("ftyp", "isom") + Be32(1) + "moov" + std::string("\x7f\xff\xff\xff", 4) +
                     Be32(0) + Track("vide");
  EXPECT_EQ(Check(huge), ClipVerdict::kDamaged);
  std::string tiny = Box("ftyp", "isom") + Be32(4) + "moov";  // shorter than its own header
  EXPECT_EQ(Check(tiny), ClipVerdict::kDamaged);
  // A size of 0 runs to the end of the file, as the format allows for the last box.
  std::string toEnd = Box("ftyp", "isom") + Be32(0) + "moov" + Track("vide");
  EXPECT_EQ(Check(toEnd), ClipVerdict::kVideo);
  EXPECT_STREQ(UnplayableReason(ClipVerdict::kVideo), "");
  EXPECT_STRNE(UnplayableReason(ClipVerdict::kDamaged), "");
}
