// SPDX-License-Identifier: GPL-3.0-or-later
// The batch of merivane-calc, end to end: a million random cases read from a
// CSV file by the program and its rows written to /dev/null. In the same run
// the in-process floor: the same cases through the case's computation and the
// same row formatting, with nothing read or written. The same cases once more with
// the line's columns (line, frequency, length, span), each row computing the
// Line Sweep page's numbers too, side by side with the rows without them.
// And the same cases with --match three-stub: each row solves the tuner and
// adds the match's columns, end to end and in process. The program computes
// its rows on every core; the floor is one thread, what one core does.
#include "CaseModel.h"
#include "Conversions.h"
#include "Export.h"
#include "Fields.h"
#include "Match.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace {

using namespace merivane;

constexpr int kRows = 1000000;

// The inputs of one case, as the program reads them from its row.
struct TCase {
    std::int32_t va;
    double ia, eff, dirDb;
    TRefl src, loa;
    bool ideal;
    present::TDisplay forms;
};

// Random cases across the inputs' ranges, in every entry form, and the file
// that holds them. Numbers carry the few decimals a user types.
struct TCases {
    std::vector<TCase> cases;
    std::string path;
    std::string linePath;  // the same rows with the line's columns

    TCases()
    {
        std::mt19937_64 rng(13);
        std::mt19937_64 lineRng(17);
        const auto uniform = [&rng](double lo, double hi, double step) {
            std::uniform_int_distribution<long long> d(0, static_cast<long long>((hi - lo) / step));
            return lo + static_cast<double>(d(rng)) * step;
        };
        const auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        char name[] = "/tmp/merivane-batch-XXXXXX";
        const int fd = mkstemp(name);
        path = name;
        std::FILE* f = fdopen(fd, "w");
        char lineName[] = "/tmp/merivane-batch-line-XXXXXX";
        const int lineFd = mkstemp(lineName);
        linePath = lineName;
        std::FILE* lf = fdopen(lineFd, "w");
        std::string text = "va,ia,eff,source,load,directivity\n";
        std::string lineText = "va,ia,eff,source,load,directivity,line,frequency,length,span\n";
        const char* const lines[] = {"WR284", "WR340", "WR430", "WR975", "waveguide:100", "coax:0.66"};
        cases.reserve(kRows);
        for (int i = 0; i < kRows; ++i) {
            TCase c{};
            c.va = static_cast<std::int32_t>(uniform(0, 100000, 1));
            c.ia = uniform(0, 1000, 0.01);
            const double percent = uniform(0, 100, 0.1);
            c.eff = static_cast<double>(static_cast<long double>(percent) / 100);
            std::string refl[2];
            TRefl* recs[2] = {&c.src, &c.loa};
            int* forms[2] = {&c.forms.srcRfl, &c.forms.loaRfl};
            for (int k = 0; k < 2; ++k) {
                TRefl& r = *recs[k];
                *forms[k] = pick(3);
                switch (*forms[k]) {
                case 1:
                    r.Rloss = uniform(-60, 0, 0.1);
                    r.Mag = DbToMag(r.Rloss);
                    r.Swr = MagToSwr(r.Mag);
                    break;
                case 2:
                    r.Swr = uniform(1, 20, 0.01);
                    r.Mag = SwrToMag(r.Swr);
                    r.Rloss = MagToDb(r.Mag);
                    break;
                default:
                    r.Mag = uniform(0, 1, 0.001);
                    r.Rloss = MagToDb(r.Mag);
                    r.Swr = MagToSwr(r.Mag);
                    break;
                }
                r.Pha = uniform(-180, 180, 5);
                refl[k] = present::ReflectionText(r, *forms[k]);
            }
            c.ideal = pick(4) == 0;
            c.dirDb = c.ideal ? 20 : uniform(0, 60, 0.5);
            present::AppendInteger(text, c.va);
            text += ',';
            present::AppendShortest(text, c.ia);
            text += ',';
            present::AppendShortest(text, percent);
            text += ',' + refl[0] + ',' + refl[1] + ',';
            if (!c.ideal) present::AppendShortest(text, c.dirDb);
            // the row once more, with a line at 915 or 2450 MHz, up to 10 m and +-10 MHz
            // (a generator of its own: the rows without a line stay as they were)
            lineText.append(text, text.rfind('\n') + 1);  // npos + 1 is 0: the first row
            lineText += ',';
            lineText += lines[lineRng() % 6];
            lineText += lineRng() % 2 ? ",915," : ",2450,";
            present::AppendShortest(lineText, static_cast<double>(lineRng() % 1001) * 0.01);
            lineText += ',';
            present::AppendShortest(lineText, static_cast<double>(lineRng() % 101) * 0.1);
            lineText += '\n';
            text += '\n';
            cases.push_back(c);
            if (text.size() > (1 << 20)) {
                std::fwrite(text.data(), 1, text.size(), f);
                text.clear();
                std::fwrite(lineText.data(), 1, lineText.size(), lf);
                lineText.clear();
            }
        }
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
        std::fwrite(lineText.data(), 1, lineText.size(), lf);
        std::fclose(lf);
    }
    ~TCases()
    {
        std::remove(path.c_str());
        std::remove(linePath.c_str());
    }
};

const TCases& Cases()
{
    static const TCases cases;
    return cases;
}

// The program, its rows to /dev/null; the run's wall time.
void RunBatchFile(benchmark::State& state, const std::string& file, std::vector<std::string> more = {})
{
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        const std::string exe = MERIVANE_CALC;
        std::vector<char*> argv = {const_cast<char*>(exe.c_str()), const_cast<char*>("--batch"),
                                   const_cast<char*>(file.c_str())};
        for (std::string& a : more) argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("merivane-calc could not be started");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        posix_spawn_file_actions_destroy(&actions);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("merivane-calc failed");
            break;
        }
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(kRows) * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
void BM_BatchEndToEnd(benchmark::State& state) { RunBatchFile(state, Cases().path); }
BENCHMARK(BM_BatchEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The same rows with the line's columns: the sweep's numbers computed and
// written for each.
void BM_BatchEndToEndLine(benchmark::State& state) { RunBatchFile(state, Cases().linePath); }
BENCHMARK(BM_BatchEndToEndLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The same rows with every option of the magnetron and the measurement: each
// row also gets the pulling, the isolator, the budget, the trip levels and
// the water load (on the rows' lines of length 0: one running frequency).
void BM_BatchEndToEndTube(benchmark::State& state)
{
    RunBatchFile(state, Cases().path,
                 {"--pulling", "10", "--isolator", "20", "--dummy-rating", "3000", "--phase-model", "rayleigh",
                  "--coupling-uncertainty", "1", "--sensor-uncertainty", "0.5", "--trip", "10", "--water-flow", "10",
                  "--water-rise", "20"});
}
BENCHMARK(BM_BatchEndToEndTube)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// A row's case, computed as merivane-calc computes it: the case's one
// computation, with no part beyond the model that the row does not write.
present::TSnapshot Computed(const TCase& c,
                            const present::TCaseParts& parts = {.guide = false, .sweep = false, .tuner = false, .tube = false},
                            const present::TTunerInputs& tuner = {})
{
    present::TCase k = present::DefaultCase();
    k.inputs.Va = c.va;
    k.inputs.Ia = c.ia;
    k.inputs.Eff = c.eff;
    k.inputs.SrcRfl = c.src;
    k.inputs.LoaRfl = c.loa;
    k.inputs.CplDirDb = c.dirDb;
    k.ideal = c.ideal;
    k.display = c.forms;
    k.tuner = tuner;
    return present::ComputeCase(k, parts, 0);
}

// The same cases computed and formatted as the same rows, in memory.
void BM_BatchFloor(benchmark::State& state)
{
    const std::vector<TCase>& cases = Cases().cases;
    std::string out;
    out.reserve(1 << 21);
    for (auto _ : state) {
        for (const TCase& c : cases) {
            present::AppendBatchRow(out, Computed(c).m, c.forms);
            if (out.size() >= (1 << 20)) {
                benchmark::DoNotOptimize(out.data());
                out.clear();
            }
        }
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(kRows) * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BatchFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// With --match three-stub: the tuner solved for each row and its columns
// added, end to end ...
void BM_BatchEndToEndMatch(benchmark::State& state) { RunBatchFile(state, Cases().path, {"--match", "three-stub"}); }
BENCHMARK(BM_BatchEndToEndMatch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// ... and in memory: the same rows as the program writes them.
void BM_BatchFloorMatch(benchmark::State& state)
{
    const std::vector<TCase>& cases = Cases().cases;
    const present::TTunerInputs tuner{MatchMethod::ThreeStub, 0.0, 0, {}};
    const present::TCaseParts match{.guide = false, .sweep = false, .tuner = true, .tube = false};  // WR340 at 2450 MHz
    std::string out;
    out.reserve(1 << 21);
    for (auto _ : state) {
        for (const TCase& c : cases) {
            const present::TSnapshot s = Computed(c, match, tuner);
            present::AppendBatchRow(out, s.m, c.forms);
            out.pop_back();
            AppendMatchCsv(out, s.tuner);
            out += '\n';
            if (out.size() >= (1 << 20)) {
                benchmark::DoNotOptimize(out.data());
                out.clear();
            }
        }
    }
    state.counters["rows/s"] = benchmark::Counter(static_cast<double>(kRows) * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BatchFloorMatch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv)
{
    Cases();  // the file is made before any timing
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
