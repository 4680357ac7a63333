// Resampling a skin background the size of the canvas to a full-HD window.
#include <benchmark/benchmark.h>

#include <vector>

#include "controls/image_resample.h"
#include "controls/skin_image.h"

static void BM_ScaleSkinImage(benchmark::State& state) {
  CSkinImage source;
  source.Create(1366, 768, 24, 0);
  for (uint32_t y = 0; y < 768; ++y)
    for (uint32_t x = 0; x < 1366; ++x)
      source.WritePixel(x, y, {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 60, 0});
  for (auto _ : state) {
    CSkinImage scaled;
    benchmark::DoNotOptimize(source.ScaleTo(static_cast<uint32_t>(state.range(0)),
                                            static_cast<uint32_t>(state.range(1)), 1, &scaled));
  }
}
BENCHMARK(BM_ScaleSkinImage)->Args({1920, 1080})->Args({65, 52})->Unit(benchmark::kMillisecond);

// The background, smoothed: 24-bit canvas picture into a 32-bit window-sized one.
static void BM_ResampleBackground(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  std::vector<uint8_t> source(1368 * 3 * 768, 90), target(static_cast<size_t>(w) * 4 * h);
  const PixelRows from{source.data(), 1368 * 3, 1366, 768, 3};
  const PixelRows to{target.data(), w * 4, w, h, 4};
  for (auto _ : state) benchmark::DoNotOptimize(ResampleBilinear(from, to));
}
BENCHMARK(BM_ResampleBackground)
    ->Args({1920, 1080})
    ->Args({684, 324})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
