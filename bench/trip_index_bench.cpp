// Listing a folder of 500 one-minute clips with their sidecars: every clip's
// facts (times, distance, events) read from disk, then the trips built.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/clip_facts.h"
#include "app/trip_index.h"
#include "tools/demo/demo_drive.h"

namespace {

constexpr int kClips = 500;

void WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

// A clip file holding only a movie header of one minute.
std::string MinuteMp4() {
  const std::string mvhd = Be32(108) + "mvhd" + std::string(12, '\0') + Be32(1000) +
                           Be32(60000) + std::string(80, '\0');
  return Be32(16) + "ftypisom" + std::string(4, '\0') + Be32(116) + "moov" + mvhd;
}

// The scratch folder of clips and sidecars, removed at exit: clip i starts a
// minute after clip i - 1.
struct BenchFolder {
  std::string dir;
  std::vector<std::string> clips;  // paths without the extension
  BenchFolder() {
    char pattern[] = "/tmp/trip-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return;
    dir = pattern;
    demo::DemoDriveOptions options;
    options.seconds = 60;
    for (int i = 0; i < kClips; ++i) {
      options.hour = 3 + i / 60;
      options.minute = i % 60;
      options.seed = static_cast<uint64_t>(i + 1);
      const std::string base = dir + "/C" + std::to_string(1000 + i);
      WriteFile(base + ".nmea", demo::MakeDemoSidecar(options));
      WriteFile(base + ".MP4", MinuteMp4());
      clips.push_back(base);
    }
  }
  ~BenchFolder() {
    for (const std::string& base : clips) {
      std::remove((base + ".nmea").c_str());
      std::remove((base + ".MP4").c_str());
    }
    if (!dir.empty()) rmdir(dir.c_str());
  }
};

const std::vector<std::string>& Folder() {
  static const BenchFolder folder;
  return folder.clips;
}

void BM_ReadFactsAndBuildTrips(benchmark::State& state) {
  const std::vector<std::string>& clips = Folder();
  int trips = 0;
  for (auto _ : state) {
    std::vector<ClipFacts> rows;
    rows.reserve(clips.size());
    for (const std::string& base : clips)
      rows.push_back(ReadClipFacts(base + ".MP4", base + ".nmea", 1700000000));
    TripIndex index;
    index.Build(std::move(rows), 3600);
    trips = index.TripCount();
    benchmark::DoNotOptimize(trips);
  }
  state.counters["clips"] = static_cast<double>(clips.size());
  state.counters["trips"] = trips;
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kClips);
}
BENCHMARK(BM_ReadFactsAndBuildTrips)->Unit(benchmark::kMillisecond);

// The index alone, from facts already read.
void BM_BuildTrips(benchmark::State& state) {
  std::vector<ClipFacts> rows(kClips);
  for (int i = 0; i < kClips; ++i) {
    rows[static_cast<size_t>(i)].strName = "C" + std::to_string(1000 + i) + ".MP4";
    rows[static_cast<size_t>(i)].nStart = 1716002100 + i * 60;
    rows[static_cast<size_t>(i)].nEnd = 1716002100 + i * 60 + 60;
  }
  for (auto _ : state) {
    TripIndex index;
    index.Build(rows, 3600);
    benchmark::DoNotOptimize(index.TripCount());
  }
}
BENCHMARK(BM_BuildTrips)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
