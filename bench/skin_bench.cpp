// Resampling a skin background the size of the canvas to a full-HD window.
#include <benchmark/benchmark.h>

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

BENCHMARK_MAIN();
