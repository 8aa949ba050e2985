// SPDX-License-Identifier: GPL-3.0-or-later
// The Process view in the Workbench: a load set imported, edited and
// reordered, each change one undo step; the robust setting shown from the
// snapshot, in the summary, the table of points and the chart.
#include "CaseDocument.h"
#include "ProcessChart.h"
#include "ProcessView.h"
#include "TempFile.h"
#include "WindowFixture.h"
#include "Workbench.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

// A thawing product: the load swings from a frozen, well-matched block to a
// thawed one that reflects half the wave.
constexpr char kThawing[] = "name,load\nfrozen,0.3@-120\n\"-5 \u00b0C\",0.45@-150\nthawed,0.55@170\nhot,0.5@150\n";

class ProcessViewTest : public WindowTest {
protected:
    TProcessView* OpenProcess()
    {
        Show();
        w->OpenWorkbench(QStringLiteral("Process"));
        TWorkbench* wb = WorkbenchOf(*w);
        return wb ? dynamic_cast<TProcessView*>(wb->View(QStringLiteral("Process"))) : nullptr;
    }
    int Steps() const { return w->Document()->Stack()->count(); }
    const merivane::present::TSnapshot& Now() const { return w->Document()->Snapshot(); }
    QTemporaryDir dir_;
};

TEST_F(ProcessViewTest, AnImportedSetIsOneStepAndTheRobustSettingShowsOverIt)
{
    TProcessView* v = OpenProcess();
    ASSERT_NE(v, nullptr);
    const int steps = Steps();
    ASSERT_TRUE(v->ImportLoadSet(WriteTempFile(dir_, "thawing.csv", kThawing)));
    EXPECT_EQ(Steps(), steps + 1);
    ASSERT_EQ(v->SetTable()->rowCount(), 4);
    EXPECT_EQ(v->SetTable()->item(1, 0)->text(), QStringLiteral("-5 \u00b0C"));
    EXPECT_EQ(v->SetTable()->item(2, 1)->text(), QStringLiteral("0.55@170"));
    // without the robust setting the points stand as they are: |Γin| = |Γl|
    ASSERT_EQ(v->PointsTable()->model()->rowCount(), 4);
    EXPECT_DOUBLE_EQ(v->PointsTable()->model()->index(2, 2).data().toString().toDouble(), 0.55);

    v->RobustBox()->click();
    EXPECT_EQ(Steps(), steps + 2);
    ASSERT_TRUE(Now().process.robust.solved);
    // the view shows the snapshot's worst case, lower than the nominal setting's
    EXPECT_LT(Now().process.robust.robust.worstMag, Now().process.robust.nominal.worstMag);
    EXPECT_TRUE(v->Summary()->text().contains(QStringLiteral("Worst, robust"))) << v->Summary()->text().toStdString();
    auto* chart = dynamic_cast<TProcessChartView*>(v->Chart());
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->Series(1)->count(), 4);  // absorbed with the robust setting
    EXPECT_TRUE(chart->Series(3)->isVisible());

    w->UndoAction()->trigger();
    w->UndoAction()->trigger();
    EXPECT_EQ(v->SetTable()->rowCount(), 0);
    EXPECT_FALSE(v->RobustBox()->isChecked());
}

TEST_F(ProcessViewTest, EachEditOfTheSetIsOneUndoStep)
{
    TProcessView* v = OpenProcess();
    ASSERT_NE(v, nullptr);
    ASSERT_TRUE(v->ImportLoadSet(WriteTempFile(dir_, "thawing.csv", kThawing)));
    const int steps = Steps();
    v->SetTable()->setCurrentCell(3, 0);
    v->Button(2)->click();  // up: hot before thawed
    EXPECT_EQ(Now().c.loadSet[2].name, "hot");
    EXPECT_EQ(v->SetTable()->currentRow(), 2);  // the moved load stays chosen
    v->SetTable()->item(0, 0)->setText(QStringLiteral("deep frozen"));
    EXPECT_EQ(Now().c.loadSet[0].name, "deep frozen");
    v->SetTable()->item(0, 1)->setText(QStringLiteral("swr:3@0"));
    EXPECT_DOUBLE_EQ(Now().c.loadSet[0].refl.Mag, 0.5);
    v->Button(0)->click();  // add after the current load
    v->Button(1)->click();  // and remove it again
    EXPECT_EQ(Steps(), steps + 5);
    // a text that is no reflection changes nothing and says why
    v->SetTable()->item(1, 1)->setText(QStringLiteral("lots"));
    EXPECT_EQ(Steps(), steps + 5);
    EXPECT_EQ(v->SetTable()->item(1, 1)->text(), QStringLiteral("0.45@-150"));
    EXPECT_FALSE(v->Message()->isHidden());
    for (int i = 0; i < 5; ++i) w->UndoAction()->trigger();
    EXPECT_EQ(Now().c.loadSet[0].name, "frozen");
    EXPECT_EQ(Now().c.loadSet[3].name, "hot");
}

TEST_F(ProcessViewTest, ABadCsvIsRefusedWithItsLineAndChangesNothing)
{
    TProcessView* v = OpenProcess();
    ASSERT_NE(v, nullptr);
    const int steps = Steps();
    EXPECT_FALSE(v->ImportLoadSet(WriteTempFile(dir_, "bad.csv", "name,load\nfrozen,0.3@0\nthawed,2@0\n")));
    EXPECT_EQ(Steps(), steps);
    EXPECT_TRUE(v->Message()->text().contains(QStringLiteral("line 3"))) << v->Message()->text().toStdString();
}

}  // namespace
