// Frames handed over in YUV become bitmaps a viewer opens.
#include <gtest/gtest.h>

#include <vector>

#include "video/frame_rgb.h"

namespace {

// A 2 x 2 frame of one colour, top row `top` luma, bottom row `bottom`.
std::vector<uint8_t> Frame(uint32_t fourCc, uint8_t top, uint8_t bottom, uint8_t u, uint8_t v) {
  std::vector<uint8_t> f(40, 0);
  f[0] = 40, f[4] = 2, f[8] = 2, f[12] = 1;
  for (int i = 0; i < 4; ++i) f[16 + i] = static_cast<uint8_t>(fourCc >> (8 * i));
  auto add = [&](std::initializer_list<uint8_t> bytes) { f.insert(f.end(), bytes); };
  if (fourCc == FourCc('Y', 'V', '1', '2')) add({top, top, bottom, bottom, v, u});
  if (fourCc == FourCc('I', '4', '2', '0')) add({top, top, bottom, bottom, u, v});
  if (fourCc == FourCc('N', 'V', '1', '2')) add({top, top, bottom, bottom, u, v});
  if (fourCc == FourCc('Y', 'U', 'Y', '2')) add({top, u, top, v, bottom, u, bottom, v});
  if (fourCc == FourCc('U', 'Y', 'V', 'Y')) add({u, top, v, top, u, bottom, v, bottom});
  return f;
}

// Blue, green, red of pixel (x, row from the top) of a 24-bit bottom-up 2 x 2 bitmap.
std::vector<int> Pixel(const std::vector<uint8_t>& bmp, int x, int row) {
  const uint8_t* p = bmp.data() + 40 + (1 - row) * 8 + x * 3;  // rows padded to 8 bytes
  return {p[0], p[1], p[2]};
}

}  // namespace

TEST(FrameRgb, EveryLayoutGivesTheSamePictureTheRightWayUp) {
  for (uint32_t fourCc :
       {FourCc('Y', 'V', '1', '2'), FourCc('I', '4', '2', '0'), FourCc('N', 'V', '1', '2'),
        FourCc('Y', 'U', 'Y', '2'), FourCc('U', 'Y', 'V', 'Y')}) {
    // White over black; then pure red (video range).
    const std::vector<uint8_t> grey = Frame(fourCc, 235, 16, 128, 128);
    const std::vector<uint8_t> bmp = YuvFrameToRgb24(grey.data(), grey.size());
    ASSERT_EQ(bmp.size(), 40u + 2 * 8) << fourCc;
    EXPECT_EQ(bmp[14], 24);
    EXPECT_EQ(Pixel(bmp, 1, 0), (std::vector<int>{255, 255, 255})) << fourCc;
    EXPECT_EQ(Pixel(bmp, 0, 1), (std::vector<int>{0, 0, 0})) << fourCc;
    const std::vector<uint8_t> red = Frame(fourCc, 81, 81, 90, 240);
    const std::vector<int> p = Pixel(YuvFrameToRgb24(red.data(), red.size()), 0, 0);
    EXPECT_LE(p[0], 2);
    EXPECT_LE(p[1], 2);
    EXPECT_GE(p[2], 252) << fourCc;
  }
}

TEST(FrameRgb, OtherLayoutsAndShortDataAreRefused) {
  std::vector<uint8_t> rgb = Frame(0, 0, 0, 0, 0);  // BI_RGB: not a YUV frame
  EXPECT_TRUE(YuvFrameToRgb24(rgb.data(), rgb.size()).empty());
  std::vector<uint8_t> cut = Frame(FourCc('Y', 'V', '1', '2'), 1, 1, 1, 1);
  cut.pop_back();
  EXPECT_TRUE(YuvFrameToRgb24(cut.data(), cut.size()).empty());
  EXPECT_TRUE(YuvFrameToRgb24(nullptr, 0).empty());
}
