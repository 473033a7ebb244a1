#pragma once
// How every figure is reported: one benchmark iteration measures the program and, where the
// figure has one, its reference back to back; the counters carry both values and their
// ratio, so bench/run can print medians of each side and of the paired ratios.
#include <benchmark/benchmark.h>

namespace folio::bench {

inline void record(benchmark::State& state, double ours, double reference)
{
    state.counters["ours"] = ours;
    state.counters["reference"] = reference;
    state.counters["ratio"] = reference > 0 ? ours / reference : 0;
}

inline void record(benchmark::State& state, double ours)
{
    state.counters["ours"] = ours;
}

// Runs both sides of a pair, alternating which runs first, so that neither always meets
// warm caches.
template <class Ours, class Reference>
void runPair(Ours&& ours, Reference&& reference)
{
    static bool oursFirst = false;
    oursFirst = !oursFirst;
    if (oursFirst) {
        ours();
        reference();
    } else {
        reference();
        ours();
    }
}

}  // namespace folio::bench
