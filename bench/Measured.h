#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace pathloom::bench {

// Every benchmark of the suite measures wall-clock time (the work runs on the framework's own
// queues, not only on the benchmark's thread) and adds the fastest repetition to the mean and
// median: on a machine shared with builds, the slower repetitions measure the neighbours as much
// as the code, and the report compares fastest with fastest.
inline void measured(benchmark::internal::Benchmark* benchmark) {
    benchmark->UseRealTime()->ComputeStatistics("min", [](const std::vector<double>& values) {
        return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
    });
}

}  // namespace pathloom::bench
