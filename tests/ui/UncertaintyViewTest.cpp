// SPDX-License-Identifier: GPL-3.0-or-later
// The Uncertainty view, offscreen: the budget's worked example beside the
// worst-case bounds, the trip levels and the water load; the phase model's
// list and the spinners ask for the whole case; every input and table is
// named.
#include "UncertaintyView.h"

#include "InputValues.h"
#include "ViewEdits.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace merivane;
using namespace merivane::present;

// |G_l| 0.2, D 30 dB, fixed, u_k 1 %, u_s 0.5 %
TCase BudgetCase()
{
    TCase c = DefaultCase();
    SetFieldValue(c.inputs, Input::LoaMag, 0.2);
    c.ideal = false;
    c.inputs.CplDirDb = 30;
    c.tube.measurement.couplingPct = 1;
    c.tube.measurement.sensorPct = 0.5;
    return c;
}

TEST(UncertaintyView, ShowsTheBudgetsWorkedExampleBesideTheWorstCase)
{
    TUncertaintyView view;
    TEdits edited(view);
    const TSnapshot s = ComputeCase(BudgetCase());
    view.ShowSnapshot(s);
    EXPECT_EQ(edited.count(), 0);
    // 1.318, 1.042, 0.521; combined 1.759, U 3.518 %
    EXPECT_EQ(view.Budget()->ValueOf("Directivity (leaks)"), "1.318 %");
    EXPECT_EQ(view.Budget()->ValueOf("Coupling factors"), "1.042 %");
    EXPECT_EQ(view.Budget()->ValueOf("Power sensors"), "0.521 %");
    EXPECT_EQ(view.Budget()->ValueOf("Combined, k = 1"), "1.759 %");
    EXPECT_EQ(view.Budget()->ValueOf("Expanded U, k = 2"), "3.518 %");
    // the worst case of the same snapshot: below and above the load's power
    EXPECT_TRUE(view.Budget()->ValueOf("Worst case, low").startsWith(QString::fromUtf8("\u2212")));
    EXPECT_TRUE(view.Budget()->ValueOf("Worst case, high").startsWith("+"));
    EXPECT_FALSE(view.Budget()->ValueOf("Worst case, high", 2).isEmpty());
    EXPECT_EQ(view.PhaseModel()->currentText(), "fixed");
    EXPECT_DOUBLE_EQ(view.Spinner(TubeInput::Coupling)->value(), 1.0);
}

TEST(UncertaintyView, TripLevelsAndTheWaterLoad)
{
    // T 10 %, D 25 dB: 0.3792 (SWR 2.222), 0.2555 (SWR 1.686); 10 L/min, 20 K: 13.91 kW
    TCase c = DefaultCase();
    c.ideal = false;
    c.inputs.CplDirDb = 25;
    c.tube.measurement.tripPct = 10;
    c.tube.measurement.waterFlowLpm = 10;
    c.tube.measurement.waterRiseK = 20;
    TUncertaintyView view;
    view.ShowSnapshot(ComputeCase(c));
    EXPECT_EQ(view.TripAndWater()->ValueOf("Trip Surely Above"), QString::fromUtf8("|\u0393| 0.3792 (SWR 2.222)"));
    EXPECT_EQ(view.TripAndWater()->ValueOf("Trip Never Below"), QString::fromUtf8("|\u0393| 0.2555 (SWR 1.686)"));
    EXPECT_EQ(view.TripAndWater()->ValueOf("Water Load Power"), "13.91 kW");
    EXPECT_TRUE(view.TripAndWater()->ValueOf("Water Load vs Model").endsWith(" dB"));
}

TEST(UncertaintyView, ThePhaseModelsListAsksForTheWholeCase)
{
    TUncertaintyView view;
    const TCase c = BudgetCase();
    view.ShowSnapshot(ComputeCase(c));
    TEdits edited(view);
    view.PhaseModel()->setCurrentIndex(view.PhaseModel()->findText("rayleigh"));
    ASSERT_EQ(edited.count(), 1);
    TCase expected = c;
    expected.tube.measurement.phaseModel = LeakPhaseModel::Rayleigh;
    EXPECT_TRUE(edited.list[0].c == expected);
    EXPECT_GE(edited.list[0].mergeId, kMagnetronMergeBase);
    EXPECT_LT(edited.list[0].mergeId, kWorkbenchMergeBase);
    // by the keyboard too
    view.PhaseModel()->setFocus();
    QTest::keyClick(view.PhaseModel(), Qt::Key_Up);
    ASSERT_EQ(edited.count(), 2);
    EXPECT_EQ(edited.list[1].c.tube.measurement.phaseModel, LeakPhaseModel::Disk);
}

TEST(UncertaintyView, ASpinnersStepsShareOneMergeId)
{
    TUncertaintyView view;
    view.ShowSnapshot(ComputeCase(BudgetCase()));
    TEdits edited(view);
    view.Spinner(TubeInput::Trip)->stepUp();
    view.Spinner(TubeInput::Trip)->stepUp();
    view.Spinner(TubeInput::Sensor)->stepDown();
    ASSERT_EQ(edited.count(), 3);
    EXPECT_EQ(edited.list[1].c.tube.measurement.tripPct, 2 * TubeRow(TubeInput::Trip).step);
    EXPECT_EQ(edited.list[0].mergeId, edited.list[1].mergeId);
    EXPECT_NE(edited.list[1].mergeId, edited.list[2].mergeId);
    EXPECT_EQ(edited.list[2].c.tube.measurement.sensorPct, 0.5 - TubeRow(TubeInput::Sensor).step);
    EXPECT_EQ(edited.list[2].c.tube.measurement.tripPct, 2 * TubeRow(TubeInput::Trip).step);  // kept
}

TEST(UncertaintyView, EveryInputAndTableHasAnAccessibleName)
{
    TUncertaintyView view;
    view.ShowSnapshot(ComputeCase(DefaultCase()));
    EXPECT_FALSE(view.PhaseModel()->accessibleName().isEmpty());
    for (TubeInput id :
         {TubeInput::Coupling, TubeInput::Sensor, TubeInput::Trip, TubeInput::WaterFlow, TubeInput::WaterRise}) {
        ASSERT_NE(view.Spinner(id), nullptr);
        EXPECT_EQ(view.Spinner(id)->accessibleName(), QString::fromUtf8(TubeRow(id).name));
    }
    EXPECT_FALSE(view.Budget()->accessibleName().isEmpty());
    EXPECT_FALSE(view.TripAndWater()->accessibleName().isEmpty());
    EXPECT_EQ(view.HelpAnchor(), "uncertainty");
}

}  // namespace
