#include "BenchCase.h"
#include "Transmission.h"

#include <benchmark/benchmark.h>

using namespace merivane;

namespace {

void BM_CalcTransmission(benchmark::State& state)
{
    TModel m = merivane::bench::DefaultInputs();
    for (auto _ : state) {
        CalcTransmission(m, false);
        benchmark::DoNotOptimize(m);
        m.SrcRfl.Pha += 1.0;
        if (m.SrcRfl.Pha > 180) m.SrcRfl.Pha = -180;
    }
}
BENCHMARK(BM_CalcTransmission);

}  // namespace
