#include "controls/skin_image.h"

#include <gtest/gtest.h>

namespace {

SkinColour Grey(uint8_t v) { return {v, v, v, 0}; }

// A 24-bit image whose pixel (x, y) has blue x and green y.
void FillCoordinates(CSkinImage& image, uint32_t w, uint32_t h) {
  ASSERT_NE(image.Create(w, h, 24, 0), nullptr);
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x)
      image.WritePixel(x, y, {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7, 0});
}

}  // namespace

TEST(SkinImage, NearestPixelScalingSamplesWhereSinglePrecisionLands) {
  CSkinImage small;
  FillCoordinates(small, 40, 20);
  ASSERT_TRUE(small.ScaleTo(80, 40, 1));
  for (uint32_t y = 0; y < 40; ++y)
    for (uint32_t x = 0; x < 80; ++x)
      ASSERT_EQ(small.ReadPixel(x, y),
                (SkinColour{static_cast<uint8_t>(x / 2), static_cast<uint8_t>(y / 2), 7, 0}));

  CSkinImage big;
  FillCoordinates(big, 100, 100);
  ASSERT_TRUE(big.ScaleTo(30, 30, 1));
  const int columns[] = {0, 3, 6, 10, 13, 16, 20};  // 3 x 3.3333333f is exactly 10
  for (int x = 0; x < 7; ++x) EXPECT_EQ(big.ReadPixel(x, 0).blue, columns[x]) << x;
  EXPECT_EQ(big.ReadPixel(28, 0).blue, 93);
  EXPECT_EQ(big.ReadPixel(29, 0).blue, 96);
}

TEST(SkinImage, ScalingThatCannotBeDoneLeavesTheImage) {
  CSkinImage image;
  FillCoordinates(image, 10, 10);
  EXPECT_TRUE(image.ScaleTo(10, 10, 1));
  EXPECT_FALSE(image.ScaleTo(0, 5, 1));
  EXPECT_FALSE(image.ScaleTo(20, 20, 2));  // only nearest pixel exists
  EXPECT_EQ(image.Width(), 10u);
  EXPECT_EQ(image.ReadPixel(9, 3), (SkinColour{9, 3, 7, 0}));
  CSkinImage empty;
  EXPECT_FALSE(empty.ScaleTo(5, 5, 1));
  EXPECT_FALSE(empty.IsValid());
}

TEST(SkinImage, CreateRefusesSizesItCannotHoldWithItsTexts) {
  CSkinImage image;
  EXPECT_EQ(image.Create(0, 5, 24, 0), nullptr);
  EXPECT_EQ(image.LastError(), "CSkinImage::Create : width and height must be greater than zero");
  EXPECT_EQ(image.Create(10000, 10000, 24, 0), nullptr);
  EXPECT_EQ(image.LastError(), "SKINIMAGE_MAX_MEMORY exceeded");
  // 65536 x 65537 x 1 bit wraps to 65536 in 32 bits; it is still far too large.
  EXPECT_EQ(image.Create(65536, 65537, 1, 0), nullptr);
  EXPECT_EQ(image.LastError(), "SKINIMAGE_MAX_MEMORY exceeded");
  ASSERT_NE(image.Create(3, 2, 32, 0), nullptr);  // more than 8 bits: 24
  EXPECT_EQ(image.BitsPerPixel(), 24u);
  EXPECT_EQ(image.Stride(), 12u);
  EXPECT_EQ(image.ImageSize(), 24u);
  EXPECT_EQ(image.PixelsPerMetre(), 3780u);
  EXPECT_EQ(image.Block()[0], 40);  // the packed header the system's bitmap calls take
}

TEST(SkinImage, PaletteImagesKeepTheirIndexesThroughScaling) {
  for (uint32_t bits : {1u, 4u, 8u}) {
    CSkinImage image;
    ASSERT_NE(image.Create(8, 2, bits, 0), nullptr);
    SkinColour palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = Grey(static_cast<uint8_t>(255 - i));
    image.LoadPalette(palette, 256);
    const uint32_t colours = image.ColoursUsed();
    for (int x = 0; x < 8; ++x) image.WriteIndex(x, 0, static_cast<uint8_t>(x % colours));
    EXPECT_EQ(image.ReadPixel(1, 0), palette[1 % colours]) << bits;
    ASSERT_TRUE(image.ScaleTo(16, 4, 1));
    for (int x = 0; x < 16; ++x) EXPECT_EQ(image.ReadIndex(x, 1), (x / 2) % colours) << bits;
    EXPECT_EQ(image.NearestPaletteIndex(Grey(250)), colours > 5 ? 5 : colours - 1) << bits;
  }
}
