#include "video/second_block.h"

#include <vector>

namespace {

size_t Count(std::string_view text, std::string_view what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Position lines of any talker: "$GPRMC", "$GNRMC", "$GLRMC" ...
size_t CountPositionLines(std::string_view text) {
  size_t n = 0;
  for (size_t at = text.find("RMC,"); at != std::string_view::npos; at = text.find("RMC,", at + 1))
    if (at >= 3 && text[at - 3] == '$') ++n;
  return n;
}

}  // namespace

int64_t LinesPerSecond(std::string_view sidecar) {
  const size_t seconds = CountPositionLines(sidecar);
  if (seconds == 0 || Count(sidecar, "SPEED") == 0) return 8;
  const size_t lines = Count(sidecar, "\n");
  const int64_t perSecond = static_cast<int64_t>((lines + seconds / 2) / seconds);
  return perSecond > 0 ? perSecond : 8;
}

const std::string& PaddingBlock() {
  static const std::string block =
      "$GSENSOR,0,0,0 \r\n$GSENSOR,0,0,0 \r\n$GSENSOR,0,0,0 \r\n$GSENSOR,0,0,0 \r\n"
      "$GSENSOR,0,0,0 \r\n$GPRMC,0,0,0,0,0,0,0,0,0,0,0,0 \r\n"
      "$GPGGA,0,0,0,0,0,0,0,0,0,0,0,0,0,0 \r\n$GPGSA,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0";
  return block;
}

int64_t ExtractSecondBlock(std::string_view sidecar, int64_t length, int64_t current,
                           std::string& out) {
  out.clear();
  std::vector<size_t> feeds{0};  // entry i: the i-th line feed (entry 0 stands for the start)
  for (size_t i = 0; i < sidecar.size(); ++i)
    if (sidecar[i] == '\n') feeds.push_back(i);
  const int64_t n = static_cast<int64_t>(feeds.size()) - 1;
  const int64_t B = LinesPerSecond(sidecar);
  const int64_t expected = B * length;
  int64_t block = current;
  if (n < expected) {
    const int64_t missing = (expected - n) / B;
    if (current <= missing) {
      out = PaddingBlock();
      return -1;
    }
    block = current - missing;
  }
  if (block < 0 || B * block + B > n) {  // past the end of the text
    out = PaddingBlock();
    return -1;
  }
  const size_t begin = block == 0 ? 0 : feeds[static_cast<size_t>(B * block)] + 1;
  const size_t end = feeds[static_cast<size_t>(B * block + B)];
  out.assign(sidecar.substr(begin, end - begin));
  return B * block;
}
