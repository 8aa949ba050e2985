// SPDX-License-Identifier: GPL-3.0-or-later
// One refresh of the "Line Sweep" page, offscreen: the sweep of 720 steps,
// the statistics, the readouts and the chart's series; and the same with the
// chart painted.
#include "Prompter.h"
#include "SweepPage.h"
#include "SweepView.h"
#include "TForm1.h"
#include "Transmission.h"

#include <QApplication>
#include <QCheckBox>
#include <QPixmap>
#include <QTabWidget>

#include <benchmark/benchmark.h>

namespace {

class TQuietPrompter final : public IPrompter {
public:
    bool Confirm(QWidget*, const QString&, const QString&) override { return false; }
    void Error(QWidget*, const QString&, const QString&) override {}
    bool CloseWithoutSaving(QWidget*, const QString&, const QString&) override { return false; }
};

// The window shown on the page, the coupler not ideal, so that every part of
// the chart is drawn; the load phase changes from one refresh to the next.
template <class Step>
void RunRefreshes(benchmark::State& state, Step step)
{
    TForm1 w(std::make_shared<TQuietPrompter>());
    w.FormCreate();
    w.findChild<QCheckBox*>(QStringLiteral("chIdeal"))->setChecked(false);
    w.show();
    w.findChild<QTabWidget*>(QStringLiteral("pcResults"))->setCurrentWidget(w.SweepPage());
    QApplication::processEvents();
    TSweepPage* page = w.SweepPage();
    merivane::TSweepInputs in = page->Inputs();
    in.LengthM = 3;
    in.SpanMHz = 5;
    page->SetInputs(in);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.M.LoaRfl.Pha = (i++ % 72) * 5.0 - 180;
        merivane::CalcTransmission(w.M, false);
        state.ResumeTiming();
        step(*page);
    }
    state.counters["points"] = static_cast<double>(page->Result().X.size());
    w.hide();
}

void BM_SweepPageRefresh(benchmark::State& state)
{
    RunRefreshes(state, [](TSweepPage& page) { page.Refresh(); });
}
BENCHMARK(BM_SweepPageRefresh)->Unit(benchmark::kMicrosecond);

void BM_SweepPageRefreshAndPaint(benchmark::State& state)
{
    RunRefreshes(state, [](TSweepPage& page) {
        page.Refresh();
        benchmark::DoNotOptimize(page.View()->ChartWidget()->grab());
    });
}
BENCHMARK(BM_SweepPageRefreshAndPaint)->Unit(benchmark::kMicrosecond);

}  // namespace
