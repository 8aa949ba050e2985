#include "Conversions.h"
#include "NumberText.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

using namespace merivane;

namespace {

template <double (*Fn)(double)>
void BM_Conversion(benchmark::State& state)
{
    const std::array<double, 8> in{0.0, 0.2, 0.5, 0.9998, 1.0, 1.5, 3.0, 1e-9};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Fn(in[i++ & 7]));
    }
}
BENCHMARK_TEMPLATE(BM_Conversion, MagToDb);
BENCHMARK_TEMPLATE(BM_Conversion, RatioToDb);
BENCHMARK_TEMPLATE(BM_Conversion, DbToMag);
BENCHMARK_TEMPLATE(BM_Conversion, MagToSwr);
BENCHMARK_TEMPLATE(BM_Conversion, SwrToMag);
BENCHMARK_TEMPLATE(BM_Conversion, Pow10);

void BM_PolarDegToRect(benchmark::State& state)
{
    TComplex p = MakeComplex(0.5, 47.0);
    for (auto _ : state) {
        TComplex r = PolarDegToRect(p);
        benchmark::DoNotOptimize(r);
        p.Im += 1.0;
        if (p.Im > 180) p.Im = -180;
    }
}
BENCHMARK(BM_PolarDegToRect);

void BM_ComplexMul(benchmark::State& state)
{
    TComplex a = MakeComplex(0.3, 0.4), b = MakeComplex(-0.1, 0.9);
    for (auto _ : state) {
        a = ComplexMul(a, b);
        benchmark::DoNotOptimize(a);
        a.Re = 0.3;
        a.Im = 0.4;
    }
}
BENCHMARK(BM_ComplexMul);

void BM_FormatReal(benchmark::State& state)
{
    const std::array<double, 8> in{10099.0099, 0.990099, -13.9794, 1e16, 0.0123456, 85.0, 2.675, 1234.5678};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatReal(in[i & 7], 2 + static_cast<int>(i & 1)));
        ++i;
    }
}
BENCHMARK(BM_FormatReal);

void BM_ParseReal(benchmark::State& state)
{
    const std::array<std::string, 8> in{"4000", "1,5", " 12.5 A", "0.2", "-20", "45\xC2\xB0", "abc", "2.5e3"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseReal(in[i++ & 7], 1.0, -1e6, 1e6, true));
    }
}
BENCHMARK(BM_ParseReal);

}  // namespace
