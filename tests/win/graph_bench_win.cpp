// Speed figure of the G-sensor graph (reported, never asserted): the paint of a
// ten-minute clip's graph at the size a 1920 x 1080 window gives it.
// usage: graph_bench [PAINTS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "framework/StopWatch_win.h"
#include "graph/GSensor_win.h"
#include "telemetry/telemetry_store.h"
#include "tools/demo/demo_drive.h"

int main(int argc, char** argv) {
  const int paints = argc > 1 ? std::max(3, std::atoi(argv[1])) : 21;
  demo::DemoDriveOptions drive;
  drive.seconds = 600;
  CTelemetryStore store;
  store.LoadTelemetryBytes(demo::MakeDemoSidecar(drive), drive.seconds);
  HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 1400, 160, NULL, NULL,
                              NULL, NULL);
  CGSENSOR graph;
  if (host == NULL || !graph.Create(host)) {
    std::fprintf(stderr, "graph_bench: the graph window could not be made\n");
    return 1;
  }
  graph.pStore = &store;
  graph.nWidth = 1292;  // sx(980) - sx(46) - 15 h - 10 at 1920 x 1080
  graph.nHeight = 140;
  SetWindowPos(graph.GetSafeHwnd(), NULL, 0, 0, graph.nWidth, graph.nHeight,
               SWP_NOZORDER | SWP_SHOWWINDOW);
  std::vector<long long> us;
  for (int i = 0; i < paints; ++i) {
    graph.nCursorSec = i * 600 / paints;
    StopWatch clock;
    RedrawWindow(graph.GetSafeHwnd(), NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    us.push_back(clock.ElapsedUs());
  }
  std::sort(us.begin() + 1, us.end());  // the first paint also draws the grid picture
  std::printf("graph paint, 600 s at %dx%d (%d grid seconds): first %lld us, median %lld us, "
              "max %lld us\n",
              graph.nWidth, graph.nHeight, graph.CurrentScale().seconds, us[0],
              us[1 + (us.size() - 1) / 2], us.back());
  graph.DestroyWindow();
  DestroyWindow(host);
  return 0;
}
