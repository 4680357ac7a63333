// Speed of a whole clip load: text-mode reading, parse and table, from a
// sidecar already in memory. The argument is the clip length in seconds.
#include <benchmark/benchmark.h>

#include <cstring>

#include "telemetry/nmea_parser.h"
#include "telemetry/telemetry_store.h"
#include "tools/demo/demo_drive.h"

namespace {

const std::string& Sidecar(int seconds) {
  static std::string cached;
  static int cachedSeconds = -1;
  if (cachedSeconds != seconds) {
    demo::DemoDriveOptions options;
    options.seconds = seconds;
    cached = demo::MakeDemoSidecar(options);
    cachedSeconds = seconds;
  }
  return cached;
}

void BM_LoadTelemetry(benchmark::State& state) {
  const int seconds = static_cast<int>(state.range(0));
  const std::string& bytes = Sidecar(seconds);
  CTelemetryStore store;
  for (auto _ : state) {
    store.LoadTelemetryBytes(bytes, seconds);
    benchmark::DoNotOptimize(store.Table().Column(kColFix).Count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(bytes.size()));
  state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_LoadTelemetry)->Arg(3600)->Arg(36000)->Unit(benchmark::kMillisecond);

// The floor: finding every line end of the same text.
void BM_FindLineEnds(benchmark::State& state) {
  const std::string& bytes = Sidecar(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    size_t lines = 0;
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)))) !=
           nullptr) {
      ++lines;
      ++p;
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_FindLineEnds)->Arg(36000)->Unit(benchmark::kMillisecond);

// Parse alone, to see where a load spends its time.
void BM_ParseOnly(benchmark::State& state) {
  const std::string& bytes = Sidecar(static_cast<int>(state.range(0)));
  CNmeaParser parser;
  for (auto _ : state) {
    parser.ParseText(bytes);
    benchmark::DoNotOptimize(parser.Records().size());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ParseOnly)->Arg(36000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
