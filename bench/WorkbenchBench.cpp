// The Workbench, offscreen: its first open, and one undo or redo with the
// case computed and both windows rendered anew (painting excluded).
#include "WindowBenchMain.h"
#include "CaseDocument.h"
#include "CaseView.h"
#include "Environment.h"
#include "InputPanel.h"
#include "SmithCanvas.h"
#include "SmithView.h"
#include "TForm1.h"
#include "Workbench.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <string>

namespace {

// From Ctrl+B to the Workbench shown with every dock filled, in a window made
// and started beforehand.
void BM_WorkbenchFirstOpen(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<TForm1>(std::make_shared<TSilentPrompter>());
        InstallWorkbench(*w);
        w->FormCreate();
        w->show();
        QApplication::processEvents();
        state.ResumeTiming();
        w->OpenWorkbench();
        QApplication::processEvents();
        benchmark::DoNotOptimize(WorkbenchOf(*w));
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WorkbenchFirstOpen)->Unit(benchmark::kMillisecond)->Iterations(15)->Repetitions(5)->ReportAggregatesOnly(true);

// An undo, then a redo, of a load typed in the Workbench: each puts a state in
// force, computes it and renders the main window, the Line Sweep and every
// view of the Workbench. The time is per step.
void BM_UndoRedoBothWindows(benchmark::State& state)
{
    TForm1 w(std::make_shared<TSilentPrompter>());
    InstallWorkbench(w);
    w.FormCreate();
    w.show();
    w.OpenWorkbench();
    TWorkbench* wb = WorkbenchOf(w);
    QLineEdit* load = wb->Inputs()->Field(merivane::present::Input::LoaMag);
    load->setText(QStringLiteral("0.3"));
    emit load->returnPressed();
    QApplication::processEvents();
    QUndoStack* stack = w.Document()->Stack();
    for (auto _ : state) {
        stack->undo();
        stack->redo();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_UndoRedoBothWindows)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Counts the paints a widget receives.
class TPaintCounter : public QObject {
public:
    long long paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, e);
    }
};

// One step of a drag on the Smith chart: the load moved a degree, the case
// computed, the main window and every view of the Workbench rendered anew,
// and the windows painted as the event loop paints them after a mouse move,
// the chart (1600 x 1000) among them. Arg 1: the Line Sweep's chart is in
// sight as well and draws its curves anew at each step; arg 0: it is not.
// The counter "chart paints" is the chart's paints per step: one.
void BM_SmithDragStepBothWindows(benchmark::State& state)
{
    TForm1 w(std::make_shared<TSilentPrompter>());
    InstallWorkbench(w);
    w.FormCreate();
    w.show();
    w.OpenWorkbench(QStringLiteral("Smith Chart"));
    TWorkbench* wb = WorkbenchOf(w);
    QDockWidget* dock = wb->Dock(QStringLiteral("Smith Chart"));
    dock->setFloating(true);
    dock->resize(1600, 1000);
    wb->Dock(QStringLiteral("Line Sweep"))->setVisible(state.range(0) == 1);
    auto* smith = static_cast<TSmithView*>(wb->View(QStringLiteral("Smith Chart")));
    QApplication::processEvents();
    // the chart itself at 1600 x 1000, the view's controls and readout round it
    QWidget* chart = smith->Canvas();
    dock->resize(dock->size() + QSize(1600, 1000) - chart->size());
    QApplication::processEvents();
    TPaintCounter counter;
    chart->installEventFilter(&counter);
    merivane::present::TCase c = w.Document()->State().c;
    double phase = c.inputs.LoaRfl.Pha;
    for (auto _ : state) {
        phase = phase >= 179 ? -180 : phase + 1;
        c.inputs.LoaRfl.Pha = phase;
        emit smith->Edited(c, QStringLiteral("Drag"), kSmithMergeBase);
        // what the event loop does next: the Line Sweep's chart updated, then
        // every window's changed widgets painted into its backing store
        QApplication::sendPostedEvents();
    }
    chart->removeEventFilter(&counter);
    state.counters["chart paints"] =
        benchmark::Counter(static_cast<double>(counter.paints) / static_cast<double>(state.iterations()));
    state.SetLabel(std::to_string(chart->width()) + " x " + std::to_string(chart->height()) +
                   (state.range(0) == 1 ? ", Line Sweep chart in sight" : ", Line Sweep chart hidden"));
}
BENCHMARK(BM_SmithDragStepBothWindows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
