#include "telemetry/text_file.h"

#include <gtest/gtest.h>

#include "test_files.h"

using namespace textfile;

namespace {
std::string Translate(const std::string& in) {
  std::string out(in.size(), '?');
  out.resize(TextModeTranslate(in.data(), in.size(), &out[0]));
  return out;
}
}  // namespace

TEST(TextModeReading, LineEndsCtrlZAndNuls) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"a\r\nb\r\n", "a\nb\n"},
      {"a\nb", "a\nb"},
      {"a\rb\r", "a\rb\r"},    // a lone CR stays
      {"a\r\r\nb", "a\r\nb"},  // only the CR next to the LF goes
      {"a\nb\x1a"
       "c\nd",
       "a\nb"},  // Ctrl-Z ends the input
      {"\x1a"
       "abc",
       ""},
      {std::string("a\0\0b\n", 5), "ab\n"},  // NULs vanish anywhere
      {std::string("a\r\0\nb", 5), "a\nb"},  // even between CR and LF
      {std::string("\0\0\0\0", 4), ""},
      {std::string("x\n\0\0\0y\n", 7), "x\ny\n"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Translate(c.in), c.out);
}

TEST(TextModeReading, FilesThatCannotBeReadAreReportedAsSuch) {
  ScratchDir dir;
  std::string text = "stale";
  EXPECT_EQ(ReadTextFile(dir.Path() + "nope.nmea", text), ReadResult::cannot_open);
  EXPECT_EQ(text, "");
  EXPECT_EQ(ReadTextFile(dir.Path(), text), ReadResult::cannot_open);  // a folder
  EXPECT_FALSE(CanOpenForReading(dir.Path()));
  EXPECT_FALSE(CanOpenForReading(""));

  std::string empty = dir.Write("empty.nmea", "");
  EXPECT_EQ(ReadTextFile(empty, text), ReadResult::ok);
  EXPECT_EQ(text, "");
  EXPECT_TRUE(CanOpenForReading(empty));

  std::string big(200000, 'x');
  big += "\r\nend\r\n";
  EXPECT_EQ(ReadTextFile(dir.Write("big.nmea", big), text), ReadResult::ok);
  EXPECT_EQ(text.size(), 200000u + 5u);
}
