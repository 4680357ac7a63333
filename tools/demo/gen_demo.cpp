// gen-demo: writes the demo drive's telemetry sidecar.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/demo/demo_drive.h"

namespace {

const char kUsage[] =
    "usage: gen-demo [--seconds N] [--seed S] [--lf] [--no-speed] [--lateral-x]\n"
    "                [--start YYYY-MM-DDTHH:MM:SS] [--schedule] -o FILE|-\n"
    "  --seconds N   clip length in seconds (default 90)\n"
    "  --seed S      noise seed (default 1); the schedule does not depend on it\n"
    "  --lf          LF line ends instead of CR LF\n"
    "  --no-speed    leave out the $SPEED pulse lines (eight lines a second)\n"
    "  --lateral-x   lateral G on x and longitudinal on y (default the reverse)\n"
    "  --start T     UTC time of the first second (default 2024-05-18T03:15:00)\n"
    "  --schedule    print the drive's events (second ranges) to stdout\n"
    "  -o FILE       output file, - for stdout\n";

int Usage(const char* problem) {
  if (problem) std::fprintf(stderr, "gen-demo: %s\n", problem);
  std::fputs(kUsage, stderr);
  return 2;
}

bool ParseInt(const char* text, long long lo, long long hi, long long& out) {
  if (!text || !*text) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text, &end, 10);
  if (errno || *end || v < lo || v > hi) return false;
  out = v;
  return true;
}

bool ParseStart(const char* text, demo::DemoDriveOptions& o) {
  int y, mo, d, h, mi, s;
  char tail;
  if (std::sscanf(text, "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6)
    return false;
  if (y < 1980 || y > 2079 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59 ||
      h < 0 || mi < 0 || s < 0)
    return false;
  o.year = y;
  o.month = mo;
  o.day = d;
  o.hour = h;
  o.minute = mi;
  o.second = s;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  demo::DemoDriveOptions o;
  const char* path = nullptr;
  bool schedule = false;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
    long long v;
    if (!std::strcmp(a, "--seconds")) {
      if (!ParseInt(next, 0, 1000000, v)) return Usage("--seconds needs a number 0..1000000");
      o.seconds = static_cast<int>(v);
      ++i;
    } else if (!std::strcmp(a, "--seed")) {
      if (!ParseInt(next, 0, 0x7FFFFFFFFFFFFFFFLL, v))
        return Usage("--seed needs a non-negative number");
      o.seed = static_cast<std::uint64_t>(v);
      ++i;
    } else if (!std::strcmp(a, "--start")) {
      if (!next || !ParseStart(next, o)) return Usage("--start needs YYYY-MM-DDTHH:MM:SS");
      ++i;
    } else if (!std::strcmp(a, "--lf")) {
      o.line_ending = demo::LineEnding::Lf;
    } else if (!std::strcmp(a, "--no-speed")) {
      o.pulse_lines = false;
    } else if (!std::strcmp(a, "--lateral-x")) {
      o.lateral_on_x = true;
    } else if (!std::strcmp(a, "--schedule")) {
      schedule = true;
    } else if (!std::strcmp(a, "-o")) {
      if (!next) return Usage("-o needs a file name");
      path = next;
      ++i;
    } else if (!std::strcmp(a, "-h") || !std::strcmp(a, "--help")) {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      return Usage((std::string("unknown argument ") + a).c_str());
    }
  }
  if (!path && !schedule) return Usage("no output file (-o)");

  if (schedule) {
    for (const demo::DemoEvent& e : demo::DemoDriveSchedule(o)) {
      std::printf("%-10s %6d %6d", demo::DemoEventName(e.kind), e.first, e.last);
      if (e.kind == demo::DemoEventKind::Turn) std::printf(" %+d", e.degrees);
      std::printf("\n");
    }
    if (!path) return 0;
    if (!std::strcmp(path, "-")) return Usage("--schedule and -o - both want stdout");
  }

  const std::string text = demo::MakeDemoSidecar(o);
  const bool to_stdout = !std::strcmp(path, "-");
  std::FILE* f = stdout;
  if (to_stdout) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // exact bytes, no LF to CR LF
#endif
  } else {
    f = std::fopen(path, "wb");
    if (!f) {
      std::fprintf(stderr, "gen-demo: cannot write %s: %s\n", path, std::strerror(errno));
      return 1;
    }
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  const bool closed = to_stdout ? std::fflush(f) == 0 : std::fclose(f) == 0;
  if (!written || !closed) {
    std::fprintf(stderr, "gen-demo: write to %s failed\n", to_stdout ? "stdout" : path);
    return 1;
  }
  return 0;
}
