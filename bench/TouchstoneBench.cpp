// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a measured 6-port file: 1001 frequencies, every value with ten
// significant digits, in MA and in RI (about 1.4 MB each), made in memory.
// Target for one read: 5 ms. Each is repeated and reported as its median.
#include "Touchstone.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <cstdio>
#include <string>

namespace {

namespace ts = merivane::touchstone;

constexpr int kPorts = 6;
constexpr int kFrequencies = 1001;

// A sweep from 2.4 to 2.5 GHz as an analyser writes it: row by row, four
// pairs a line, a comment line ahead of each frequency.
std::string SixPortFile(bool ri)
{
    std::string text = "! 6-port sweep, 2.4 GHz to 2.5 GHz\n";
    text += ri ? "# GHz S RI R 50\n" : "# GHz S MA R 50\n";
    char number[40];
    for (int k = 0; k < kFrequencies; ++k) {
        std::snprintf(number, sizeof number, "! point %d\n%.9f", k + 1, 2.4 + 0.1 * k / (kFrequencies - 1));
        text += number;
        for (int i = 0; i < kPorts; ++i) {
            for (int j = 0; j < kPorts; ++j) {
                if (j > 0 && j % 4 == 0) text += "\n   ";
                const double magnitude = 0.05 + 0.9 * std::abs(std::sin(0.37 * (k + 1) + 1.3 * i + 0.71 * j));
                const double degrees = std::fmod(97.0 * k + 31.0 * i - 53.0 * j, 360.0) - 180.0 + 0.123456789;
                const double first = ri ? magnitude * std::cos(degrees * std::numbers::pi / 180) : magnitude;
                const double second = ri ? magnitude * std::sin(degrees * std::numbers::pi / 180) : degrees;
                std::snprintf(number, sizeof number, "   %.9e   %.9e", first, second);
                text += number;
            }
            text += "\n   ";
        }
        text += '\n';
    }
    return text;
}

void Read(benchmark::State& state, bool ri)
{
    const std::string text = SixPortFile(ri);
    for (auto _ : state) {
        const ts::TReadResult r = ts::ReadTouchstone(text, "sweep.s6p");
        if (!r.ok()) state.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(r);
    }
    state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void ReadSixPortMA(benchmark::State& state) { Read(state, false); }
void ReadSixPortRI(benchmark::State& state) { Read(state, true); }

}  // namespace

BENCHMARK(ReadSixPortMA)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadSixPortRI)->Unit(benchmark::kMillisecond);
