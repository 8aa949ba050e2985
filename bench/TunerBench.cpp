// SPDX-License-Identifier: GPL-3.0-or-later
// The tuner's solvers, the guide's field and the line loss, one case per
// iteration over a ring of 1024 loads so that no branch is learnt by heart.
#include "BenchCase.h"
#include "GuideLoad.h"
#include "LineLoss.h"
#include "Transmission.h"
#include "Tuner.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

using merivane::cplx;

const std::vector<cplx>& Loads()
{
    static const std::vector<cplx> loads = [] {
        std::mt19937_64 rng(7);
        std::uniform_real_distribution<double> u(0.0, 1.0);
        std::vector<cplx> v(1024);
        for (cplx& g : v) g = std::polar(0.95 * std::sqrt(u(rng)), 6.283185307179586 * u(rng));
        return v;
    }();
    return loads;
}

void Solve(benchmark::State& state, merivane::MatchMethod method, double spacingOverLg)
{
    const merivane::TSweepInputs line;  // WR340 at 2450 MHz
    const double lg = merivane::GuideAt(line, line.FreqMHz).wavelengthMm;
    const std::vector<cplx>& loads = Loads();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(merivane::SolveMatch(method, line, loads[i], spacingOverLg * lg));
        i = (i + 1) & 1023;
    }
}

void BM_SingleStub(benchmark::State& s) { Solve(s, merivane::MatchMethod::SingleStub, 0); }
void BM_ThreeStubQuarter(benchmark::State& s) { Solve(s, merivane::MatchMethod::ThreeStub, 0); }
void BM_ThreeStubEighth(benchmark::State& s) { Solve(s, merivane::MatchMethod::ThreeStub, 0.125); }
void BM_EH(benchmark::State& s) { Solve(s, merivane::MatchMethod::EH, 0); }
void BM_DoubleStub(benchmark::State& s) { Solve(s, merivane::MatchMethod::DoubleStub, 0); }
BENCHMARK(BM_SingleStub)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_ThreeStubQuarter)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_ThreeStubEighth)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_EH)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_DoubleStub)->Unit(benchmark::kNanosecond);

merivane::TModel Computed() { return merivane::bench::DefaultComputed(); }

void BM_AfterMatch(benchmark::State& state)
{
    const merivane::TModel m = Computed();
    for (auto _ : state) benchmark::DoNotOptimize(merivane::AfterMatch(m));
}
BENCHMARK(BM_AfterMatch)->Unit(benchmark::kNanosecond);

void BM_GuideLoad(benchmark::State& state)
{
    const merivane::TModel m = Computed();
    const merivane::TSweepInputs line;
    for (auto _ : state) benchmark::DoNotOptimize(merivane::CalcGuideLoad(m, line));
}
BENCHMARK(BM_GuideLoad)->Unit(benchmark::kNanosecond);

void BM_LineLossCopper(benchmark::State& state)
{
    const merivane::TModel m = Computed();
    const merivane::TSweepInputs line;
    merivane::TLineLossInputs in;
    in.Source = merivane::LossSource::Conductor;
    for (auto _ : state) {
        const merivane::TAttenuation a = merivane::LineAttenuation(line, in);
        benchmark::DoNotOptimize(merivane::CalcLineLoss(m, a.DbPerM, 10.0));
    }
}
BENCHMARK(BM_LineLossCopper)->Unit(benchmark::kNanosecond);

}  // namespace
