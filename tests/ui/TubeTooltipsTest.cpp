// SPDX-License-Identifier: GPL-3.0-or-later
// The Magnetron and Uncertainty views explain every input and result in a
// tooltip: each spinner and its caption name the input's limits from the
// input table, each list, each cell of a result table and each note has one.
#include "EntryReader.h"
#include "MagnetronView.h"
#include "UncertaintyView.h"

#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

using namespace merivane::present;

// Every row the two views have: a tube that can jump on 5 m of line, an
// isolator with a rated dummy load, a trip, a water load.
TCase FullCase()
{
    TCase c = DefaultCase();
    c.line.LengthM = 5;
    c.tube.magnetron.pullingMHz = 10;
    c.tube.magnetron.isolationDb = 1;
    c.tube.magnetron.dummyRatingW = 50;
    c.tube.measurement.couplingPct = 1;
    c.tube.measurement.sensorPct = 2;
    c.tube.measurement.tripPct = 10;
    c.tube.measurement.waterFlowLpm = 2;
    c.tube.measurement.waterRiseK = 50;
    return c;
}

std::unique_ptr<TCaseView> Make(int which)
{
    if (which == 0) return std::make_unique<TMagnetronView>();
    return std::make_unique<TUncertaintyView>();
}

QString Limit(double v) { return QString::fromStdString(LimitText(v)); }

void ExpectEveryTip(const TCaseView& view)
{
    for (TTubeSpinner* s : view.findChildren<TTubeSpinner*>()) {
        const TTubeRow& row = TubeRow(s->Id());
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(s->toolTip().contains(Limit(row.lo)) && s->toolTip().contains(Limit(row.hi))) << s->toolTip().toStdString();
    }
    for (const QLabel* l : view.findChildren<QLabel*>()) {
        SCOPED_TRACE(l->text().toStdString());
        if (l->buddy()) {
            EXPECT_EQ(l->toolTip(), l->buddy()->toolTip());  // a caption explains its field
        }
        EXPECT_TRUE(l->isHidden() || !l->toolTip().isEmpty());
    }
    for (const QComboBox* list : view.findChildren<QComboBox*>()) EXPECT_FALSE(list->toolTip().isEmpty());
    for (const TValueTable* t : view.findChildren<TValueTable*>())
        for (int r = 0; r < t->rowCount(); ++r)
            for (int c = 0; c < t->columnCount(); ++c) {
                SCOPED_TRACE(t->item(r, 0)->text().toStdString());
                EXPECT_FALSE(t->item(r, c)->toolTip().isEmpty());
            }
}

TEST(TubeTooltips, EveryInputAndResultOfBothViewsIsExplained)
{
    for (int which : {0, 1}) {
        for (const TCase& c : {DefaultCase(), FullCase()}) {
            const std::unique_ptr<TCaseView> view = Make(which);
            view->ShowSnapshot(ComputeCase(c));
            ExpectEveryTip(*view);
        }
    }
    // the full case shows every row: both notes, the trip's and the water's
    TMagnetronView magnetron;
    magnetron.ShowSnapshot(ComputeCase(FullCase()));
    EXPECT_FALSE(magnetron.LongLineWarning()->isHidden());
    EXPECT_FALSE(magnetron.RatingCheck()->isHidden());
    TUncertaintyView uncertainty;
    uncertainty.ShowSnapshot(ComputeCase(FullCase()));
    EXPECT_EQ(uncertainty.TripAndWater()->rowCount(), 5);
}

// The limits come from the table: a changed limit shows in the tooltip.
TEST(TubeTooltips, AnInputsTooltipFollowsTheTablesLimits)
{
    for (const auto& [input, id, hi] : {std::tuple{Input::Pulling, TubeInput::Pulling, 750.0},
                                        std::tuple{Input::WaterFlow, TubeInput::WaterFlow, 2500.0}}) {
        TInputRow& row = InputRowForTest(input);
        const double was = row.hi;
        row.hi = hi;
        TMagnetronView magnetron;
        TUncertaintyView uncertainty;
        TTubeSpinner* s = magnetron.Spinner(id) ? magnetron.Spinner(id) : uncertainty.Spinner(id);
        row.hi = was;
        ASSERT_NE(s, nullptr);
        EXPECT_TRUE(s->toolTip().contains(Limit(hi))) << s->toolTip().toStdString();
        EXPECT_FALSE(s->toolTip().contains(Limit(was))) << s->toolTip().toStdString();
    }
}

}  // namespace
