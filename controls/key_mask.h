// The transparency of a skin image: a one-bit mask, set where the image has
// the key colour, and the image's key pixels turned black, so the image can be
// ORed over a ground masked with AND.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/skin_image.h"

// Blackens the key pixels of a 24-bit image and returns the mask's rows top
// row first, each padded to a 16-bit boundary (the layout of a monochrome
// bitmap's bits); bit 7 of a byte is its leftmost pixel. Empty for an image
// that is not 24-bit.
std::vector<uint8_t> TakeKeyMask(CSkinImage& image, SkinColour key);

// Bytes in one mask row of that width.
inline uint32_t MaskStride(uint32_t width) { return ((width + 15) / 16) * 2; }
