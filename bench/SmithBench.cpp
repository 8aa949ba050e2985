// SPDX-License-Identifier: GPL-3.0-or-later
// One step of a drag on the Smith chart, offscreen: the load set, the case
// computed (the Line Sweep's 720 steps with it), the view shown the snapshot
// and the chart painted at 1600 x 1000 into an image. A drag must keep up
// with 60 Hz: the median must stay within 8 ms. Beside it the painting alone.
#include "SmithCanvas.h"
#include "SmithEdit.h"
#include "SmithView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

using namespace merivane;

constexpr int kWidth = 1600, kHeight = 1000;

void DragStep(benchmark::State& state)
{
    TSmithView view;
    // the chart itself at the size, whatever the view's layout would give it
    view.Canvas()->setFixedSize(kWidth, kHeight);
    view.adjustSize();
    // the window's backing store on X11: opaque RGB32
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    present::TCase c = present::DefaultCase();
    c.line.LengthM = 2;
    c.line.SpanMHz = 10;
    int i = 0;
    for (auto _ : state) {
        // the load moves round its circle a degree a step, as a drag would
        c = present::WithLoad(c, 0.5, -180 + (i++ % 360));
        view.ShowSnapshot(present::ComputeCase(c));
        // as the window repaints the chart: opaque, no background drawn under it
        view.Canvas()->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(DragStep)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void PaintOnly(benchmark::State& state)
{
    const present::TSnapshot s = present::ComputeCase(present::DefaultCase());
    const smith::TSmithOptions o;
    const smith::TSmithScene scene = smith::MakeSmithScene(s.m, s.sweep, o);
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    QFont font = QApplication::font();
    for (auto _ : state) {
        QPainter p(&image);
        smith::PaintSmith(p, QRectF(0, 0, kWidth, kHeight), scene, o, smith::TSmithPalette::Light(), font);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(PaintOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
