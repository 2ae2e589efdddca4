#ifndef QIRA_BENCH_MICROS_PER_RUN_H_
#define QIRA_BENCH_MICROS_PER_RUN_H_

#include <chrono>
#include <functional>

namespace bench {

// Mean wall time of one call of `body`, in microseconds, over `runs` calls.
inline double MicrosPerRun(int runs, const std::function<void()>& body) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) body();
  return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / runs;
}

}  // namespace bench

#endif  // QIRA_BENCH_MICROS_PER_RUN_H_
