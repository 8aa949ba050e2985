#include "Transmission.h"

#include <benchmark/benchmark.h>

using namespace merivane;

namespace {

void BM_CalcTransmission(benchmark::State& state)
{
    TModel m;
    m.Va = 4000;
    m.Ia = 3;
    m.Eff = 0.85;
    m.SrcRfl.Mag = 0.2;
    m.LoaRfl.Mag = 0.5;
    m.LoaRfl.Pha = 90;
    m.CplDirDb = 20;
    for (auto _ : state) {
        CalcTransmission(m, false);
        benchmark::DoNotOptimize(m);
        m.SrcRfl.Pha += 1.0;
        if (m.SrcRfl.Pha > 180) m.SrcRfl.Pha = -180;
    }
}
BENCHMARK(BM_CalcTransmission);

}  // namespace
