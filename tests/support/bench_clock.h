// The performance counter for the Windows benchmarks that time a stretch
// themselves (manual time, or a program of their own): now, and a span of its
// ticks in seconds or milliseconds.
#pragma once
#include <windows.h>

inline LONGLONG BenchNow() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

inline double BenchSeconds(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

inline double BenchMilliseconds(LONGLONG ticks) { return 1000.0 * BenchSeconds(ticks); }
