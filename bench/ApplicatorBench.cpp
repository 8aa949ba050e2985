// SPDX-License-Identifier: GPL-3.0-or-later
// Twenty magnetrons into one applicator measured at 201 points over
// 2400 .. 2500 MHz, each tube at its own frequency within the band.
#include "Applicator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace {

using namespace merivane;

// A cavity-like 20-port: each port reflects about 0.3 and couples about 0.04
// to every other, the phases turning with frequency and with the ports.
TApplicatorData TwentyPorts()
{
    constexpr int kPorts = 20, kPoints = 201;
    TApplicatorData d;
    d.ports = kPorts;
    for (int k = 0; k < kPoints; ++k) {
        d.frequencyHz.push_back(2400e6 + 0.5e6 * k);
        for (int i = 0; i < kPorts; ++i)
            for (int j = 0; j < kPorts; ++j) {
                const int lo = std::min(i, j), hi = std::max(i, j);  // reciprocal: S_ij = S_ji
                const double mag = i == j ? 0.3 + 0.01 * (i % 5) : 0.04 / (1 + 0.1 * (hi - lo));
                d.s.push_back(std::polar(mag, 0.05 * k + 0.7 * lo + 1.3 * hi));
            }
    }
    return d;
}

void BM_ApplicatorTwentyFeeds(benchmark::State& state)
{
    const TApplicatorData data = TwentyPorts();
    std::vector<TFeed> feeds;
    for (int i = 0; i < data.ports; ++i) feeds.push_back({1000.0 + 100.0 * i, 2401.3e6 + 4.9e6 * i, 20.0, 500.0});
    double efficiency = 0;
    for (auto _ : state) {
        const TApplicatorResult r = ComputeApplicator(data, feeds);
        efficiency = r.efficiency.value_or(0);
        benchmark::DoNotOptimize(r);
    }
    state.counters["efficiency"] = efficiency;
}
BENCHMARK(BM_ApplicatorTwentyFeeds)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
