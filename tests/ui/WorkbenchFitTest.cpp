// SPDX-License-Identifier: GPL-3.0-or-later
// The Workbench on a small screen: with every view made it fits 960 × 540
// logical pixels (a 1920 × 1080 screen at scale 2), and at 1000 px wide the
// Line Sweep's chart keeps half its dock and its axis titles whole.
#include "SweepChart.h"
#include "SweepView.h"
#include "WindowFixture.h"
#include "Workbench.h"

#include <QAbstractAxis>
#include <QDockWidget>
#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace {

namespace present = merivane::present;

class WorkbenchFitTest : public WindowTest {
protected:
    TWorkbench* OpenWithEveryView()
    {
        Show();
        w->OpenWorkbench();
        TWorkbench* wb = WorkbenchOf(*w);
        EXPECT_NE(wb, nullptr);
        if (!wb) return nullptr;
        for (const QString& title : wb->ViewTitles()) wb->ShowView(title);
        wb->ShowView(QStringLiteral("Line Sweep"));
        Settle();
        return wb;
    }
    static void Settle()
    {
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
    }
};

TEST_F(WorkbenchFitTest, WithEveryViewMadeItFitsASmallScreen)
{
    const QSize screen(960, 540);
    TWorkbench* wb = OpenWithEveryView();
    ASSERT_NE(wb, nullptr);
    for (const QString& title : wb->ViewTitles()) {
        ASSERT_NE(wb->View(title), nullptr);
        EXPECT_TRUE(screen.expandedTo(wb->Dock(title)->minimumSizeHint()) == screen) << title.toStdString();
    }
    EXPECT_TRUE(screen.expandedTo(wb->minimumSizeHint()) == screen);
    EXPECT_TRUE(screen.expandedTo(wb->minimumSize()) == screen);
    wb->resize(screen);  // and it takes that size when asked
    Settle();
    EXPECT_EQ(wb->size(), screen);
}

// At 1000 px wide, with and without the pulled frequency's axis at the right,
// over length and over phase (a guide below cut-off), in W and in dBm.
TEST_F(WorkbenchFitTest, At1000PixelsTheSweepChartKeepsHalfTheDockAndWholeAxisTitles)
{
    const struct {
        const char* name;
        int axes;  // the pulled frequency's at the right too
        double pullingMHz, freqMHz;
        present::PowerUnit unit;
    } cases[] = {
        {"the window's case", 2, 0, 2450, present::PowerUnit::Watts},
        {"in dBm with pulling", 3, 10, 2450, present::PowerUnit::Dbm},
        {"over phase with pulling", 3, 10, 500, present::PowerUnit::Watts},  // below WR340's cut-off
    };
    TWorkbench* wb = OpenWithEveryView();
    ASSERT_NE(wb, nullptr);
    wb->resize(1000, 700);
    QDockWidget* dock = wb->Dock(QStringLiteral("Line Sweep"));
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        TCaseState s = w->Document()->State();
        s.c.tube.magnetron.pullingMHz = k.pullingMHz;
        s.c.line.FreqMHz = k.freqMHz;
        s.c.display.power = k.unit;
        w->Document()->Edit(s, QStringLiteral("Fit"));
        Settle();
        auto* view = dynamic_cast<TSweepChartView*>(wb->SweepView()->Chart());
        ASSERT_NE(view, nullptr);
        const QRectF plot = view->SweepChart()->plotArea();
        EXPECT_GE(plot.width(), dock->width() / 2.0) << "dock " << dock->width();
        const QList<QAbstractAxis*> axes = view->SweepChart()->axes();
        EXPECT_EQ(axes.size(), k.axes);
        for (const QAbstractAxis* a : axes) {
            SCOPED_TRACE(a->titleText().toStdString());
            const double text = QFontMetricsF(a->titleFont()).horizontalAdvance(a->titleText());
            EXPECT_LE(text, a->orientation() == Qt::Horizontal ? plot.width() : plot.height());
        }
    }
}

}  // namespace
