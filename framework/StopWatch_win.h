// Elapsed time from the performance counter, for the traced timings that the
// end-to-end harness reads ("TICK n us", "LAYOUT WxH n us").
#pragma once

#include <windows.h>

class StopWatch {
 public:
  StopWatch() { QueryPerformanceCounter(&start); }
  long long ElapsedUs() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (now.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart;
  }

 private:
  LARGE_INTEGER start;
};
