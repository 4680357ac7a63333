#include "controls/slider_geometry.h"

int SliderPositionAt(int x, int left, int right, int min, int max) {
  if (right <= left) return min;
  const double f = static_cast<double>(x - left) / static_cast<double>(right - left);
  const double max1 = static_cast<double>(max) + 1.0;
  // min at the left end (min + 0.5), max at the right end (max + 1 - 0.5).
  return static_cast<int>((1.0 - f) * 0.5 - f * 0.5 + ((max1 - min) * f + min));
}

std::vector<SliderBand> SliderBands(int height) {
  std::vector<SliderBand> bands;
  for (int i = 0; i < 5; ++i) {
    const double a = 0.6 + 0.2 * i;
    bands.push_back({i * height / 5,
                     (i + 1) * height / 5,
                     {static_cast<uint8_t>(a * 92), static_cast<uint8_t>(a * 101),
                      static_cast<uint8_t>(a * 126)}});
  }
  return bands;
}

int PlayedBarEnd(int left, int right, int pos, int nMax) {
  if (nMax == 0) return -1;
  const float part = static_cast<float>(pos) / static_cast<float>(nMax);
  return static_cast<int>(static_cast<float>(left) + part * static_cast<float>(right - left));
}

std::vector<SliderBand> PlayedBarRows(int height) {
  const int q = height / 4;
  const SliderRgb light{181, 242, 0}, middle{173, 231, 0};
  return {{0, q, light}, {q, 3 * q, middle}, {3 * q, 4 * q, light}};
}

std::vector<int> EventTickXs(const std::vector<int64_t>& seconds, int left, int right, int nMax) {
  std::vector<int> xs;
  if (nMax <= 0 || right - left < kEventTickWidth) return xs;
  for (int64_t second : seconds) {
    if (second < 0 || second > nMax) continue;
    int x = PlayedBarEnd(left, right, static_cast<int>(second), nMax) - kEventTickWidth / 2;
    if (x < left) x = left;
    if (x > right - kEventTickWidth) x = right - kEventTickWidth;
    xs.push_back(x);
  }
  return xs;
}

std::vector<int> CSliderDrag::Press(bool changed) {
  m_bDragging = true;
  m_bDragMoved = changed;
  if (changed) return {kThumbTrack};
  return {};
}

std::vector<int> CSliderDrag::Move(bool changed) {
  if (!m_bDragging || !changed) return {};
  m_bDragMoved = true;
  return {kThumbTrack};
}

std::vector<int> CSliderDrag::Release(bool changed) {
  if (!m_bDragging) return {};
  m_bDragging = false;
  std::vector<int> codes;
  if (changed) codes.push_back(kThumbTrack);
  if (changed || m_bDragMoved) codes.push_back(kThumbPosition);
  m_bDragMoved = false;
  return codes;
}

std::vector<int> CSliderDrag::CaptureLost() { return Release(false); }
