// The window's rendering, evaluation cycle and start-up, offscreen.
#include "WindowBenchMain.h"
#include "Environment.h"
#include "IniFile.h"
#include "TForm1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_ShowResults(benchmark::State& state)
{
    TForm1 w(std::make_shared<TSilentPrompter>());
    w.FormCreate();
    for (auto _ : state) w.ShowResults();
}
BENCHMARK(BM_ShowResults)->Unit(benchmark::kMicrosecond);

void BM_EvaluationCycle(benchmark::State& state)
{
    TForm1 w(std::make_shared<TSilentPrompter>());
    w.FormCreate();
    auto* phase = w.findChild<QLineEdit*>(QStringLiteral("edLoaPha"));
    int i = 0;
    for (auto _ : state) {
        phase->setText(QString::number(i++ % 360 - 180));
        w.bEvaluateClick();
    }
}
BENCHMARK(BM_EvaluationCycle)->Unit(benchmark::kMicrosecond);

// Window made, settings file read and applied, first results rendered.
void BM_StartUp(benchmark::State& state)
{
    const QString dir = QDir::homePath() + QStringLiteral("/Halvik/Merivane");
    QDir().mkpath(dir);
    QFile f(dir + QStringLiteral("/Merivane.ini"));
    if (f.open(QIODevice::WriteOnly))
        f.write("[Merivane]\nedAnodeV=4000\nedAnodeI=3\nedSrcMag=0.2\nedLoaMag=0.5\nudEff=80\nrbDbm=1\nrbWatt=0\nchIdeal=0\n");
    f.close();
    for (auto _ : state) {
        TForm1 w(std::make_shared<TSilentPrompter>());
        w.FormCreate();
        benchmark::DoNotOptimize(w.M.Pload);
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

// Start-up with a hostile settings file: 10 MB of keys, or 100 000 sections.
void BM_StartUpHostile(benchmark::State& state)
{
    const QString dir = QDir::homePath() + QStringLiteral("/Halvik/Merivane");
    QDir().mkpath(dir);
    QByteArray text;
    if (state.range(0) == 0) {
        text = "[Merivane]\nedAnodeV=1500\n";
        while (text.size() < 10 * 1024 * 1024) text += "junk" + QByteArray::number(text.size()) + "=" + QByteArray(60, 'z') + "\n";
    } else {
        for (int i = 0; i < 100000; ++i) text += "[S" + QByteArray::number(i) + "]\na=1\n";
        text += "[Merivane]\nedAnodeV=1500\n";
    }
    QFile f(dir + QStringLiteral("/Merivane.ini"));
    if (f.open(QIODevice::WriteOnly)) f.write(text);
    f.close();
    for (auto _ : state) {
        TForm1 w(std::make_shared<TSilentPrompter>());
        w.FormCreate();
        benchmark::DoNotOptimize(w.M.Pload);
    }
    state.SetLabel(state.range(0) == 0 ? "10 MB of keys" : "100000 sections");
}
BENCHMARK(BM_StartUpHostile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
