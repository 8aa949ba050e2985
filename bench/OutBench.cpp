// SPDX-License-Identifier: GPL-3.0-or-later
// Copy and export of one case: the texts alone, and the window's actions as
// the user triggers them (clipboard set, file written), offscreen.
#include "WindowBenchMain.h"
#include "Case.h"
#include "Environment.h"
#include "Export.h"
#include "ResultActions.h"
#include "ResultDialogs.h"
#include "TForm1.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

namespace present = merivane::present;

// Saves to the file it is given, prints nothing.
class TFixedDialogs final : public IResultDialogs {
public:
    explicit TFixedDialogs(QString path) : path_(std::move(path)) {}
    QString SaveFile(QWidget*, const QString&, const QString&, const QString&, QString*) override { return path_; }
    QString OpenFile(QWidget*, const QString&, const QString&, const QString&) override { return path_; }
    bool OfferPrint(QWidget*, const QString&) override { return false; }
    bool SetUpPrinter(QWidget*, QPrinter&) override { return false; }

private:
    QString path_;
};

struct TWindow {
    TForm1 w{std::make_shared<TSilentPrompter>()};
    TWindow() { w.FormCreate(); }
};

void BM_CaseTexts(benchmark::State& state)
{
    TWindow t;
    for (auto _ : state) {
        const auto sections = present::CaseSections(t.w.M, t.w.Display());
        benchmark::DoNotOptimize(present::CaseTsv(sections));
        benchmark::DoNotOptimize(present::CaseHtml(sections));
    }
}
BENCHMARK(BM_CaseTexts)->Unit(benchmark::kMicrosecond);

void BM_CaseCsvText(benchmark::State& state)
{
    TWindow t;
    for (auto _ : state) benchmark::DoNotOptimize(present::CaseCsv(t.w.M, t.w.Display()));
}
BENCHMARK(BM_CaseCsvText)->Unit(benchmark::kMicrosecond);

void BM_CaseJsonText(benchmark::State& state)
{
    TWindow t;
    for (auto _ : state) benchmark::DoNotOptimize(present::CaseJson(t.w.M, t.w.Display()));
}
BENCHMARK(BM_CaseJsonText)->Unit(benchmark::kMicrosecond);

// "Copy Results": both forms put on the clipboard.
void BM_CopyResults(benchmark::State& state)
{
    TWindow t;
    for (auto _ : state) t.w.ResultActions()->CopyResults();
}
BENCHMARK(BM_CopyResults)->Unit(benchmark::kMicrosecond);

// "Export…" to a file, replaced whole each time and flushed to its disk: in
// the temporary folder (a disk), and in memory (/dev/shm), which shows the
// export's own work without the disk's flush.
void BM_Export(benchmark::State& state)
{
    TWindow t;
    const bool memory = state.range(1) == 1;
    QTemporaryDir dir(memory ? QStringLiteral("/dev/shm/merivane-XXXXXX") : QDir::tempPath() + "/merivane-XXXXXX");
    const QString name = state.range(0) == 0 ? QStringLiteral("case.csv") : QStringLiteral("case.json");
    t.w.ResultActions()->SetDialogs(std::make_shared<TFixedDialogs>(dir.filePath(name)));
    for (auto _ : state) t.w.ResultActions()->ExportCase();
    state.SetLabel(std::string(state.range(0) == 0 ? "CSV" : "JSON") + (memory ? " to /dev/shm" : " to the temporary folder"));
}
BENCHMARK(BM_Export)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
