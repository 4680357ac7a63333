// The skin's transparency: exactly the key colour, and the rows the right way up.
#include <gtest/gtest.h>

#include "controls/key_mask.h"

TEST(KeyMask, ExactlyTheKeyColourIsMaskedAndBlackened) {
  const SkinColour key{250, 100, 1, 0}, nearKey{251, 100, 1, 0}, red{0, 0, 200, 0};
  CSkinImage image;
  ASSERT_NE(image.Create(17, 2, 24, 0), nullptr);  // a mask row needs a third byte: padded to 4
  for (int x = 0; x < 17; ++x) {
    image.WritePixel(x, 0, red);      // bottom row
    image.WritePixel(x, 1, nearKey);  // top row
  }
  image.WritePixel(0, 1, key);
  image.WritePixel(16, 0, key);
  const std::vector<uint8_t> mask = TakeKeyMask(image, key);
  ASSERT_EQ(mask.size(), 2u * MaskStride(17));
  ASSERT_EQ(MaskStride(17), 4u);
  EXPECT_EQ(mask[0], 0x80) << "top row, first pixel";
  EXPECT_EQ(mask[1] | mask[2] | mask[3], 0) << "near-key pixels are not transparent";
  EXPECT_EQ(mask[4] | mask[5], 0);
  EXPECT_EQ(mask[6], 0x80) << "bottom row, pixel 16";
  EXPECT_EQ(image.ReadPixel(0, 1), (SkinColour{0, 0, 0, 0}));
  EXPECT_EQ(image.ReadPixel(1, 1), nearKey);
  EXPECT_EQ(image.ReadPixel(16, 0), (SkinColour{0, 0, 0, 0}));
}

TEST(KeyMask, OnlyTrueColourImagesHaveOne) {
  CSkinImage palette;
  ASSERT_NE(palette.Create(4, 4, 8, 0), nullptr);
  EXPECT_TRUE(TakeKeyMask(palette, SkinColour{250, 100, 1, 0}).empty());
  CSkinImage empty;
  EXPECT_TRUE(TakeKeyMask(empty, SkinColour{}).empty());
}
