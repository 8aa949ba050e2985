// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and saving a case: the text alone, the read alone, the read with
// every result and the line sweep computed (an open), and the text with the
// safe save to a file (a save). Target for an open or a save: 5 ms. Each is
// repeated and reported as its median.
#include "CaseFile.h"
#include "InputValues.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

namespace present = merivane::present;

// A case away from the defaults: the reflections in dB and SWR, a real
// coupler, a custom waveguide with a line length and a span.
present::TCase BenchCase()
{
    present::TCase c = present::DefaultCase();
    c.name = "Line 3 after tuning";
    present::SetFieldValue(c.inputs, present::Input::SrcMag, -13.5, 1);
    c.display.srcRfl = 1;
    present::SetFieldValue(c.inputs, present::Input::LoaMag, 2.7, 2);
    c.display.loaRfl = 2;
    c.inputs.LoaRfl.Pha = 123.456789;
    c.ideal = false;
    c.line.Line = merivane::LineType::CustomWaveguide;
    c.line.WidthMm = 72.14;
    c.line.LengthM = 3.25;
    c.line.SpanMHz = 7.5;
    return c;
}

void CaseText(benchmark::State& state)
{
    const present::TCase c = BenchCase();
    for (auto _ : state) benchmark::DoNotOptimize(present::CaseFileText(c));
}

void CaseRead(benchmark::State& state)
{
    const std::string text = present::CaseFileText(BenchCase());
    for (auto _ : state) benchmark::DoNotOptimize(present::ReadCaseFile(text));
}

// What opening a case costs besides the file system: read, then compute.
void CaseOpen(benchmark::State& state)
{
    const std::string text = present::CaseFileText(BenchCase());
    for (auto _ : state) {
        const present::TCaseReadResult r = present::ReadCaseFile(text);
        benchmark::DoNotOptimize(present::ComputeCase(r.c));
    }
}

// A save as the user makes it: the text and the safe save to the disk.
void CaseSave(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.merivane"));
    const present::TCase c = BenchCase();
    for (auto _ : state)
        if (!present::SaveCaseFile(path, c)) state.SkipWithError("the save failed");
}

}  // namespace

BENCHMARK(CaseText)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(CaseRead)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(CaseOpen)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(CaseSave)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
