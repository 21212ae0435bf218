#pragma once
// Timing helpers shared by the benchmark programs: the median of several runs, printed in a
// table beside a baseline measured in the same run.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// Page faults per timed run of the last MedianSeconds: fresh buffers that the allocator takes
// from the system are paged in on first touch, which is part of what an operation costs.
inline double LastFaultsPerRun = 0;

inline long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

inline double MedianSeconds(const std::function<void()>& work, int runs = 11) {
  std::vector<double> times;
  work();  // warm caches and page in buffers
  const long faults = MinorFaults();
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  LastFaultsPerRun = double(MinorFaults() - faults) / runs;
  std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
  return times[runs / 2];
}

inline void PrintColumns() {
  std::printf("| %-76s | %10s | %7s | %6s | %7s |\n", "operation", "median ms", "x base", "target", "faults");
  std::printf("|%s|%s|%s|%s|%s|\n", std::string(78, '-').c_str(), std::string(12, '-').c_str(),
              std::string(9, '-').c_str(), std::string(8, '-').c_str(), std::string(9, '-').c_str());
}

inline void PrintHeader(const char* baselineName, double baseline) {
  std::printf("baseline: %s = %.3f ms\n", baselineName, baseline * 1e3);
  PrintColumns();
}

// A target of 0 means none: the row is for information.
inline bool PrintRow(const std::string& name, double seconds, double baseline, double target) {
  const double ratio = seconds / baseline;
  if (target <= 0) {
    std::printf("| %-76s | %10.4f | %7.2f | %6s | %7.0f |\n", name.c_str(), seconds * 1e3, ratio, "-",
                LastFaultsPerRun);
  } else {
    std::printf("| %-76s | %10.3f | %7.2f | %5gx%s | %7.0f |\n", name.c_str(), seconds * 1e3, ratio, target,
                ratio <= target ? "" : " !", LastFaultsPerRun);
  }
  std::fflush(stdout);
  return target <= 0 || ratio <= target;
}
