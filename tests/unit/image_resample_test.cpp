// Smooth resampling of the background picture.
#include <gtest/gtest.h>

#include <vector>

#include "controls/image_resample.h"

namespace {

struct Picture {
  Picture(int w, int h, int bpp) : width(w), height(h), bytes(bpp), pixels(size_t(w) * h * bpp) {}
  PixelRows Rows() { return {pixels.data(), width * bytes, width, height, bytes}; }
  uint8_t* At(int x, int y) { return &pixels[(size_t(y) * width + x) * bytes]; }
  int width, height, bytes;
  std::vector<uint8_t> pixels;
};

}  // namespace

// A plain area stays exactly its colour at any size, up or down, and a 3-byte
// picture becomes a 4-byte one channel for channel.
TEST(ImageResample, PlainColoursStayExact) {
  Picture from(7, 5, 3);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      uint8_t* p = from.At(x, y);
      p[0] = 10, p[1] = 200, p[2] = 255;
    }
  for (auto size : {std::pair<int, int>{13, 11}, {3, 2}, {7, 5}, {1, 1}}) {
    Picture to(size.first, size.second, 4);
    ASSERT_TRUE(ResampleBilinear(from.Rows(), to.Rows()));
    for (int y = 0; y < to.height; ++y)
      for (int x = 0; x < to.width; ++x) {
        EXPECT_EQ(to.At(x, y)[0], 10);
        EXPECT_EQ(to.At(x, y)[1], 200);
        EXPECT_EQ(to.At(x, y)[2], 255);
      }
  }
}

// Doubling a black-white edge: the outer pixels keep their colours, the two at
// the edge blend, and a bottom-up source (negative stride) comes out upright.
TEST(ImageResample, EdgesBlendAndRowOrderIsKept) {
  Picture from(2, 2, 4);
  for (int x = 0; x < 2; ++x) from.At(x, 0)[1] = 255;  // top row green
  from.At(1, 0)[0] = from.At(1, 1)[0] = 255;           // right column blue
  Picture to(4, 4, 4);
  ASSERT_TRUE(ResampleBilinear(from.Rows(), to.Rows()));
  EXPECT_EQ(to.At(0, 0)[1], 255);
  EXPECT_EQ(to.At(0, 3)[1], 0);
  EXPECT_EQ(to.At(0, 1)[1], 191);  // three quarters of the way to the top row
  EXPECT_EQ(to.At(3, 2)[0], 255);
  EXPECT_EQ(to.At(1, 2)[0], 64);

  PixelRows upsideDown = from.Rows();
  upsideDown.first = from.At(0, 1);
  upsideDown.stride = -upsideDown.stride;
  ASSERT_TRUE(ResampleBilinear(upsideDown, to.Rows()));
  EXPECT_EQ(to.At(0, 3)[1], 255) << "the source's last row is the top of the picture";
}

TEST(ImageResample, EmptyOrOddFormatsWriteNothing) {
  Picture from(2, 2, 3), to(2, 2, 4);
  PixelRows empty = from.Rows();
  empty.width = 0;
  EXPECT_FALSE(ResampleBilinear(empty, to.Rows()));
  PixelRows odd = to.Rows();
  odd.bytesPerPixel = 2;
  EXPECT_FALSE(ResampleBilinear(from.Rows(), odd));
}
