// bare-graph: plays a clip with nothing but a DirectShow graph, as the yardstick
// for the viewer's own cost.
//
//   bare-graph CLIP SECONDS [WIDTH HEIGHT]
//
// Renders CLIP, sizes the renderer's window to WIDTH x HEIGHT (the viewer's video
// area), runs it and, once it plays, measures this process's CPU time over SECONDS
// of playback. Prints "playing" when the clock starts, then, still playing,
// "cpu user_ms=.. kernel_ms=.. wall_ms=.. render_ms=..".
// Exit code 0, 1 when the clip cannot be played, 2 for a usage error.
#include <windows.h>
#include <dshow.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/Owners_win.h"

namespace {

unsigned long long CpuMs(unsigned long long& kernelMs) {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& f) {
    return ((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000;
  };
  kernelMs = ms(kernel);
  return ms(user);
}

// Keeps the renderer's window alive and responsive while waiting.
void PumpFor(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    MsgWaitForMultipleObjects(0, NULL, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

template <class T>
HRESULT Query(IUnknown* from, REFIID iid, ComPtr<T>& into) {
  return from->QueryInterface(iid, reinterpret_cast<void**>(into.GetAddressOf()));
}

int Fail(const char* what, HRESULT hr) {
  std::fprintf(stderr, "bare-graph: %s failed, 0x%08lX\n", what, static_cast<unsigned long>(hr));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "usage: bare-graph CLIP SECONDS [WIDTH HEIGHT]\n");
    return 2;
  }
  const std::string clip = argv[1];
  const long seconds = std::strtol(argv[2], NULL, 10);
  ComApartment com;
  const ULONGLONG t0 = GetTickCount64();
  ComPtr<IGraphBuilder> graph;
  HRESULT hr = CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                reinterpret_cast<void**>(graph.GetAddressOf()));
  if (FAILED(hr)) return Fail("CoCreateInstance", hr);
  const std::wstring wide(clip.begin(), clip.end());
  hr = graph->RenderFile(wide.c_str(), NULL);
  if (FAILED(hr)) return Fail("RenderFile", hr);
  ComPtr<IMediaControl> control;
  ComPtr<IVideoWindow> window;
  if (FAILED(hr = Query(graph.Get(), IID_IMediaControl, control))) return Fail("IMediaControl", hr);
  if (argc == 5 && SUCCEEDED(Query(graph.Get(), IID_IVideoWindow, window)))
    window->SetWindowPosition(0, 0, std::strtol(argv[3], NULL, 10), std::strtol(argv[4], NULL, 10));
  if (FAILED(hr = control->Run())) return Fail("Run", hr);
  OAFilterState state = State_Stopped;
  for (int i = 0; i < 500 && control->GetState(10, &state) != S_OK; ++i) PumpFor(10);
  const ULONGLONG t1 = GetTickCount64();
  // A caller measuring this process from outside starts its clock here.
  std::printf("playing\n");
  std::fflush(stdout);
  unsigned long long kernel0 = 0, kernel1 = 0;
  const unsigned long long user0 = CpuMs(kernel0);
  PumpFor(static_cast<DWORD>(seconds * 1000));
  const unsigned long long user1 = CpuMs(kernel1);
  const ULONGLONG t2 = GetTickCount64();
  std::printf("cpu user_ms=%llu kernel_ms=%llu wall_ms=%llu render_ms=%llu\n", user1 - user0,
              kernel1 - kernel0, t2 - t1, t1 - t0);
  std::fflush(stdout);
  control->Stop();
  return 0;
}
