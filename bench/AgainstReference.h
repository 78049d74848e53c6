// The measure of an operation beside a reference that does the same work the plainest way: the caller
// times each side in seconds (not above 0 when it failed), and the run reports both and their ratio.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace varnel::bench {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The counters "reference_s", "<name>_s" and "<name>/reference"; a failed side fails the run with
// `failure`.
inline void ReportAgainstReference(benchmark::State& state, const std::string& name, double reference,
                                   double measured, const char* failure)
{
    if (reference <= 0 || measured <= 0) state.SkipWithError(failure);
    state.counters["reference_s"] = reference;
    state.counters[name + "_s"] = measured;
    state.counters[name + "/reference"] = reference > 0 ? measured / reference : 0;
}

}  // namespace varnel::bench
