// SPDX-License-Identifier: GPL-3.0-or-later
// One edit of the case shown on the "Line Sweep" page, offscreen: the case
// computed (the sweep of 720 steps with it), the cells, the readouts and the
// chart's series; and the same with the chart painted.
#include "Prompter.h"
#include "SweepPage.h"
#include "SweepView.h"
#include "TForm1.h"
#include "CaseDocument.h"

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
    SaveChoice SaveChanges(QWidget*, const QString&, const QString&) override { return SaveChoice::Discard; }
};

// The window shown on the page, the coupler not ideal, so that every part of
// the chart is drawn; each edit turns the load phase: the one computation of
// the case, the window's cells, the page's readouts and its chart's series.
template <class Step>
void RunEdits(benchmark::State& state, Step step)
{
    TForm1 w(std::make_shared<TQuietPrompter>());
    w.FormCreate();
    w.findChild<QCheckBox*>(QStringLiteral("chIdeal"))->setChecked(false);
    w.show();
    w.findChild<QTabWidget*>(QStringLiteral("pcResults"))->setCurrentWidget(w.SweepPage());
    QApplication::processEvents();
    TCaseState s = w.Document()->State();
    s.c.line.LengthM = 3;
    s.c.line.SpanMHz = 5;
    int i = 0;
    for (auto _ : state) {
        s.c.inputs.LoaRfl.Pha = (i++ % 72) * 5.0 - 180;
        w.Document()->Edit(s, QStringLiteral("Phase"));
        step(*w.SweepPage());
    }
    state.counters["points"] = static_cast<double>(w.SweepPage()->Result().X.size());
    w.hide();
}

void BM_SweepPageEdit(benchmark::State& state)
{
    // the chart's curves follow when the event loop runs
    RunEdits(state, [](TSweepPage&) { QCoreApplication::sendPostedEvents(); });
}
BENCHMARK(BM_SweepPageEdit)->Unit(benchmark::kMicrosecond);

void BM_SweepPageEditAndPaint(benchmark::State& state)
{
    RunEdits(state, [](TSweepPage& page) {
        QCoreApplication::sendPostedEvents();
        benchmark::DoNotOptimize(page.View()->ChartWidget()->grab());
    });
}
BENCHMARK(BM_SweepPageEditAndPaint)->Unit(benchmark::kMicrosecond);

}  // namespace
