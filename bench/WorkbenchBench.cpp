// The Workbench, offscreen: its first open, and one undo or redo with the
// case computed and both windows rendered anew (painting excluded).
#include "CaseDocument.h"
#include "Environment.h"
#include "InputPanel.h"
#include "Prompter.h"
#include "TForm1.h"
#include "Workbench.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>

namespace {

class TSilentPrompter final : public IPrompter {
public:
    bool Confirm(QWidget*, const QString&, const QString&) override { return false; }
    void Error(QWidget*, const QString&, const QString&) override {}
    bool CloseWithoutSaving(QWidget*, const QString&, const QString&) override { return false; }
};

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

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    merivane::env::ForceUserDataDir();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
