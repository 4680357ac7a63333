// telemetry-dump: shows what a camera recorded in its sidecars, as the player reads them.
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/telemetry_report.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // The report's line ends are LF on every system.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::vector<std::string> args(argv + 1, argv + argc);
  DumpOptions options;
  std::string error;
  if (!ParseDumpArgs(args, options, error)) {
    std::fprintf(stderr, "telemetry-dump: %s\n%s", error.c_str(), kDumpUsage);
    return 2;
  }
  return RunDump(options, stdout, stderr);
}
