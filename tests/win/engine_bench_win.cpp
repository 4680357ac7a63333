// Speed figures of the video engine (reported, never asserted):
//   - wall time from OpenClip to the first running position, as the clip loader
//     opens a clip (OpenClip, QueryDuration, Play);
//   - the process's CPU time over a stretch of playback with the engine against
//     a bare graph that plays the same clip in the same window arrangement.
// usage: engine_bench CLIP [SECONDS] [RUNS]      figures
//        engine_bench CLIP --show SECONDS         just play, for a screenshot
#include <windows.h>
#include <dshow.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TopWindow_win.h"
#include "framework/Dialog_win.h"
#include "framework/Owners_win.h"
#include "video/MediaLib_win.h"

namespace {

const int kWidth = 640, kHeight = 360;

double NowMs() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// User plus kernel time of this process, every thread, in milliseconds.
double ProcessCpuMs() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
           10000.0;
  };
  return ms(kernel) + ms(user);
}

void PumpFor(double ms, const std::function<void()>& everySecond = nullptr) {
  const double end = NowMs() + ms;
  double nextSecond = NowMs() + 1000.0;
  for (double now = NowMs(); now < end; now = NowMs()) {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) CDialogBase::RouteMessage(&msg);
    if (everySecond && now >= nextSecond) {
      everySecond();
      nextSecond += 1000.0;
    }
    MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
  }
}

// A frame with a placeholder, as the main window holds the engine.
struct Stage {
  Stage() {
    frame = CreateWindowExA(0, "STATIC", "engine bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                            0, kWidth + 40, kHeight + 40, NULL, NULL, NULL, NULL);
    host = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 20, 20, kWidth, kHeight, frame,
                           NULL, NULL, NULL);
  }
  ~Stage() { DestroyWindow(frame); }
  HWND frame, host;
};

std::unique_ptr<CMediaLib> MakeEngine(HWND host) {
  auto engine = std::make_unique<CMediaLib>();
  engine->Create(host);
  engine->pHostWnd = host;
  MoveWindow(engine->GetSafeHwnd(), 0, 0, kWidth, kHeight, FALSE);
  ShowWindow(engine->GetSafeHwnd(), SW_SHOW);
  return engine;
}

void Load(CMediaLib& engine, const std::string& clip) {
  engine.ReleaseGraph();
  engine.strFilePath = clip;
  engine.OpenClip();
  if (engine.pGraphBuilder && engine.pMediaSeeking) engine.QueryDuration();
  engine.Play();
}

// Milliseconds from the open to a running graph whose position has moved.
double StartLatencyMs(CMediaLib& engine, const std::string& clip) {
  const double start = NowMs();
  Load(engine, clip);
  for (;;) {
    LONGLONG position = 0;
    if (engine.pMediaSeeking) engine.pMediaSeeking->GetCurrentPosition(&position);
    if (engine.IsRunning() && position > 0) return NowMs() - start;
    if (NowMs() - start > 20000) return -1;
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) CDialogBase::RouteMessage(&msg);
    Sleep(1);
  }
}

double EngineCpuMs(HWND host, const std::string& clip, double seconds) {
  auto engine = MakeEngine(host);
  Load(*engine, clip);
  if (!engine->bReady) return -1;
  const double before = ProcessCpuMs();
  // As the main window's tick polls it once a second.
  PumpFor(seconds * 1000.0, [&] {
    engine->UpdatePosition();
    engine->IsRunning();
  });
  const double used = ProcessCpuMs() - before;
  engine->Stop();
  engine->ReleaseGraph();
  return used;
}

double BareGraphCpuMs(HWND host, const std::string& clip, double seconds) {
  ComPtr<IGraphBuilder> graph;
  ComPtr<IMediaControl> control;
  ComPtr<IVideoWindow> window;
  if (FAILED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                              reinterpret_cast<void**>(graph.GetAddressOf()))))
    return -1;
  const std::wstring path(clip.begin(), clip.end());
  if (FAILED(graph->RenderFile(path.c_str(), NULL))) return -1;
  QueryInto(graph.Get(), IID_IMediaControl, control);
  QueryInto(graph.Get(), IID_IVideoWindow, window);
  window->put_Owner(reinterpret_cast<OAHWND>(host));
  window->SetWindowPosition(0, 0, kWidth, kHeight);
  window->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
  control->Run();
  const double before = ProcessCpuMs();
  PumpFor(seconds * 1000.0);
  const double used = ProcessCpuMs() - before;
  control->Stop();
  window->put_Visible(OAFALSE);
  window->put_Owner(0);
  return used;
}

int Show(const std::string& clip, double seconds) {
  Stage stage;
  auto engine = MakeEngine(stage.host);
  Load(*engine, clip);
  std::printf("engine_bench: playing=%d\n", engine->bReady ? 1 : 0);
  std::fflush(stdout);
  PumpFor(seconds * 1000.0);
  engine->Stop();
  engine->ReleaseGraph();
  return engine->bReady ? 0 : 1;
}

int Measure(const std::string& clip, double seconds, int runs) {
  Stage stage;
  std::vector<double> latencies;
  {
    auto engine = MakeEngine(stage.host);
    for (int i = 0; i < runs; ++i) {
      latencies.push_back(StartLatencyMs(*engine, clip));
      engine->Stop();
      engine->ReleaseGraph();
    }
  }
  std::sort(latencies.begin(), latencies.end());
  std::printf("open to first running position (ms):");
  for (double ms : latencies) std::printf(" %.0f", ms);
  std::printf("  median %.0f\n", latencies[latencies.size() / 2]);

  // Bare, engine, engine, bare: a drift over the run affects both alike.
  const double bare1 = BareGraphCpuMs(stage.host, clip, seconds);
  const double engine1 = EngineCpuMs(stage.host, clip, seconds);
  const double engine2 = EngineCpuMs(stage.host, clip, seconds);
  const double bare2 = BareGraphCpuMs(stage.host, clip, seconds);
  std::printf("CPU over %.0f s of playback (ms): bare %.0f %.0f, engine %.0f %.0f\n", seconds,
              bare1, bare2, engine1, engine2);
  std::printf("engine / bare: %.3f\n", (engine1 + engine2) / (bare1 + bare2));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: engine_bench CLIP [SECONDS] [RUNS] | CLIP --show SECONDS\n");
    return 2;
  }
  ComApartment com;
  const std::string clip = wintest::ToWindowsPath(argv[1]);
  if (argc == 4 && std::string(argv[2]) == "--show") return Show(clip, std::atof(argv[3]));
  const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;
  const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
  return Measure(clip, seconds, runs);
}
