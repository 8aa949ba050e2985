// SPDX-License-Identifier: GPL-3.0-or-later
// The Band view over a measured load: its table, summary and chart show the
// snapshot's band; its half-width and plane shift are one undo step each.
//
// Worked by hand: Pmatch = 4000 V * 3 A * 0.85 = 10200 W, Gs = 0.2 at 0 deg,
// incident = Pmatch / |1 - Gs Gl|^2, reflected = |Gl|^2 incident.
//   2400 MHz, Gl = 0:          10200 W incident, 0 W reflected
//   2450 MHz, Gl = 0.5:        |1 - 0.1|^2 = 0.81: 12592.59 W, 3148.15 W
//   2500 MHz, Gl = 0.2 at 180: |1 + 0.04|^2 = 1.0816: 9430.47 W, 377.22 W
#include "BandTable.h"
#include "BandView.h"
#include "BandChart.h"
#include "CaseCommands.h"
#include "CaseDocument.h"
#include "ResultActionsFixture.h"
#include "Touchstone.h"
#include "TempFile.h"
#include "WindowFixture.h"
#include "Workbench.h"

#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QTableView>
#include <QTemporaryDir>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

class BandViewTest : public WindowTest {
protected:
    TBandView* OpenBand(bool measured = true)
    {
        Show();
        if (measured) {
            const QString path =
                WriteTempFile(dir_, "band.s1p", "# MHz S MA R 50\n2400 0 0\n2450 0.5 0\n2500 0.2 180\n");
            EXPECT_TRUE(w->CaseCommands()->OpenMeasuredFile(path));
        }
        w->OpenWorkbench(QStringLiteral("Band"));
        TWorkbench* wb = WorkbenchOf(*w);
        return wb ? dynamic_cast<TBandView*>(wb->View(QStringLiteral("Band"))) : nullptr;
    }
    static QString Cell(TBandView* v, int row, int column)
    {
        return v->Table()->model()->index(row, column).data().toString();
    }
    QTemporaryDir dir_;
};

TEST_F(BandViewTest, ShowsEveryPointOfTheBandWithItsPowers)
{
    TBandView* v = OpenBand();
    ASSERT_NE(v, nullptr);
    ASSERT_EQ(v->Table()->model()->rowCount(), 3);
    struct TRow {
        int row;
        const char* frequency;
        const char* incident;
        const char* reflected;
    };
    for (const TRow& r : {TRow{0, "2400 MHz", "10.2 kW", "0 W"}, TRow{1, "2450 MHz", "12.59 kW", "3.15 kW"},
                          TRow{2, "2500 MHz", "9.43 kW", "377.22 W"}}) {
        SCOPED_TRACE(r.frequency);
        EXPECT_EQ(Cell(v, r.row, 0), QString::fromUtf8(r.frequency));
        EXPECT_EQ(Cell(v, r.row, 2), QString::fromUtf8(r.incident));
        EXPECT_EQ(Cell(v, r.row, 3), QString::fromUtf8(r.reflected));
    }
    EXPECT_TRUE(v->Summary()->text().contains(QStringLiteral("Worst reflected 3.15 kW at 2450 MHz"))) << v->Summary()->text().toStdString();
    auto* chart = dynamic_cast<TBandChartView*>(v->Chart());
    ASSERT_NE(chart, nullptr);
    // the reflected curve in kW, the case's frequency marked
    ASSERT_EQ(chart->Power(1)->count(), 3);
    EXPECT_NEAR(chart->Power(1)->at(1).y(), 3.14815, 1e-5);
    EXPECT_EQ(chart->Mark(0)->at(0).x(), 2450);
    EXPECT_EQ(chart->Mark(1)->count(), 0);  // no pulling: no pulled range
}

TEST_F(BandViewTest, HalfWidthAndPlaneShiftAreOneStepEach)
{
    TBandView* v = OpenBand();
    ASSERT_NE(v, nullptr);
    const int steps = w->Document()->Stack()->count();
    Enter(v->HalfWidthField(), QStringLiteral("20"));
    EXPECT_EQ(w->Document()->Stack()->count(), steps + 1);
    EXPECT_EQ(w->Document()->State().c.measured->bandHalfMHz, 20);
    EXPECT_EQ(v->Table()->model()->rowCount(), 1);  // 2450 MHz alone within +-20
    // 10 mm toward the magnetron turns G by -4 pi 10 / lg, lg = 173.38 mm at 2450 MHz in WR340: -41.53 deg
    Enter(v->PlaneShiftField(), QStringLiteral("10"));
    EXPECT_EQ(w->Document()->Stack()->count(), steps + 2);
    EXPECT_NEAR(Model().LoaRfl.Pha, -41.53, 0.01);
    EXPECT_NEAR(Model().LoaRfl.Mag, 0.5, 1e-12);
    w->UndoAction()->trigger();
    w->UndoAction()->trigger();
    EXPECT_EQ(v->Table()->model()->rowCount(), 3);
    EXPECT_EQ(v->HalfWidthField()->text(), QStringLiteral("0"));
}

// The load as the model sees it: read back, the file's Γ at 2450 MHz is the
// one in force after the plane shift, to the last digit.
TEST_F(BandViewTest, ExportTouchstoneWritesTheLoadAfterThePlaneShift)
{
    TBandView* v = OpenBand();
    ASSERT_NE(v, nullptr);
    Enter(v->PlaneShiftField(), QStringLiteral("10"));
    auto dialogs = std::make_shared<TFakeDialogs>();
    w->ResultActions()->SetDialogs(dialogs);
    dialogs->path = dir_.filePath(QStringLiteral("shifted"));  // ".s1p" is added
    w->CaseCommands()->ExportTouchstoneAction()->trigger();
    const merivane::touchstone::TReadResult back =
        merivane::touchstone::ReadTouchstoneFile(dir_.filePath(QStringLiteral("shifted.s1p")).toStdString());
    ASSERT_TRUE(back.ok()) << back.error;
    ASSERT_EQ(back.network->frequencyHz.size(), 3u);
    EXPECT_EQ(back.network->frequencyHz[1], 2450e6);
    const std::complex<double> g = back.network->S(1, 1, 1);
    EXPECT_EQ(std::abs(g), Model().LoaRfl.Mag);
    EXPECT_NEAR(std::arg(g) * 180 / 3.14159265358979323846, Model().LoaRfl.Pha, 1e-12);
}

TEST_F(BandViewTest, ExportWithoutAMeasuredLoadSaysSo)
{
    Show();
    prompter->errorsExpected = true;
    w->CaseCommands()->ExportTouchstoneAction()->trigger();
    ASSERT_EQ(prompter->errors.size(), 1u);
    EXPECT_TRUE(prompter->errors[0].contains(QStringLiteral("no measured load"))) << prompter->errors[0].toStdString();
}

TEST_F(BandViewTest, WithoutAMeasuredLoadSaysHowToOpenOne)
{
    TBandView* v = OpenBand(false);
    ASSERT_NE(v, nullptr);
    EXPECT_FALSE(v->HalfWidthField()->isEnabled());
    EXPECT_TRUE(v->Summary()->text().contains(QStringLiteral("Open Measured Load"))) << v->Summary()->text().toStdString();
    EXPECT_EQ(v->Table()->model()->rowCount(), 0);
}

}  // namespace
