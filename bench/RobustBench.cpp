// SPDX-License-Identifier: GPL-3.0-or-later
// The robust three-stub setting for 20 loads over 21 frequencies: a thawing
// product's loads turning and shrinking, each over 2440 .. 2460 MHz in WR340.
#include "Robust.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using namespace merivane;

void BM_RobustThreeStub(benchmark::State& state)
{
    std::vector<TRobustPoint> points;
    std::vector<TMatchSolution> starts;
    for (int load = 0; load < 20; ++load) {
        const double mag = 0.7 - 0.02 * load, phase = 0.6 + 0.08 * load;
        for (int f = 0; f < 21; ++f) {
            const double mhz = 2440 + f;
            // WR340 (86.36 mm): lg = l0 / sqrt(1 - (l0 / 2a)^2)
            const double l0 = 299792.458 / mhz, lg = l0 / std::sqrt(1 - std::pow(l0 / (2 * 86.36), 2));
            points.push_back({std::polar(mag, phase - 0.01 * (f - 10)), lg});
        }
        const TMatchResult own = SolveThreeStub(points[static_cast<std::size_t>(load) * 21 + 10].guideWavelengthMm,
                                                points[static_cast<std::size_t>(load) * 21 + 10].gamma, 43.35);
        for (int i = 0; i < own.SolutionCount; ++i) starts.push_back(own.Solutions[i]);
    }
    const TMatchResult nominal = SolveThreeStub(points[10].guideWavelengthMm, points[10].gamma, 43.35);
    int evaluations = 0;
    double worst = 0;
    for (auto _ : state) {
        const TRobustResult r = SolveRobust(MatchMethod::ThreeStub, 43.35, points, nominal.Solutions[0], starts);
        evaluations = r.evaluations;
        worst = r.robust.worstMag;
        benchmark::DoNotOptimize(r);
    }
    state.counters["evaluations"] = evaluations;
    state.counters["worst"] = worst;
}
BENCHMARK(BM_RobustThreeStub)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
