// Building the route view's route of a whole trip from its clips' sidecars:
// 60 one-minute clips (an hour's drive), each read into a store of its own.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "map/trip_route.h"
#include "tools/demo/demo_drive.h"

namespace {

// The trip's sidecars, written once into a scratch folder of this run.
class TripFiles {
 public:
  explicit TripFiles(int clips) {
    dir = std::filesystem::temp_directory_path() /
          ("trip_route_bench_" + std::to_string(static_cast<long long>(std::rand())));
    std::filesystem::create_directories(dir);
    for (int i = 0; i < clips; ++i) {
      demo::DemoDriveOptions options;
      options.seconds = 60;
      options.hour = 3 + (15 + i) / 60;
      options.minute = (15 + i) % 60;
      options.seed = static_cast<std::uint64_t>(i + 1);
      const std::string name = "clip" + std::to_string(i);
      const std::string sidecar = (dir / (name + ".nmea")).string();
      std::ofstream(sidecar, std::ios::binary) << demo::MakeDemoSidecar(options);
      trip.push_back({(dir / (name + ".MP4")).string(), sidecar, 60});
    }
  }
  ~TripFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
  std::filesystem::path dir;
  std::vector<TripRouteClip> trip;
};

void BM_TripRoute(benchmark::State& state) {
  const TripFiles files(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const TripRoute route = LoadTripRoute(files.trip);
    benchmark::DoNotOptimize(route.seconds.data());
  }
  state.counters["clips"] = static_cast<double>(files.trip.size());
}
BENCHMARK(BM_TripRoute)->Arg(60)->Unit(benchmark::kMillisecond);

// The next clip of the same trip: the cache answers without reading.
void BM_TripRouteCached(benchmark::State& state) {
  const TripFiles files(static_cast<int>(state.range(0)));
  TripRouteCache cache;
  cache.For(files.trip);
  for (auto _ : state) benchmark::DoNotOptimize(cache.For(files.trip).seconds.data());
}
BENCHMARK(BM_TripRouteCached)->Arg(60)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
