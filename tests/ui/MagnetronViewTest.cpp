// SPDX-License-Identifier: GPL-3.0-or-later
// The Magnetron view, offscreen: it shows a snapshot's inputs and results
// without announcing a change, asks for a change with the whole case (one
// spinner's steps under one merge id), warns when the tube can jump on a
// long line, checks the dummy load's rating, and names every input and table.
#include "MagnetronView.h"

#include "InputValues.h"
#include "MagnetronTexts.h"
#include "ReportSections.h"
#include "ViewEdits.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace merivane;
using namespace merivane::present;

TCase PullingCase(double mag, double pha)
{
    TCase c = DefaultCase();
    SetFieldValue(c.inputs, Input::LoaMag, mag);
    c.inputs.LoaRfl.Pha = pha;
    c.tube.magnetron.pullingMHz = 10;
    return c;
}

TEST(MagnetronView, ShowsTheWorkedExampleAndAnnouncesNothing)
{
    TMagnetronView view;
    TEdits edited(view);
    view.ShowSnapshot(ComputeCase(PullingCase(0.5, 90)));
    EXPECT_EQ(edited.count(), 0);
    EXPECT_DOUBLE_EQ(view.Spinner(TubeInput::Pulling)->value(), 10.0);
    // Qext 102.083, +9.60 MHz, +- 16.00 MHz at SWR 3
    EXPECT_EQ(view.Results()->ValueOf("Qext"), "102.083");
    EXPECT_EQ(view.Results()->ValueOf("Frequency Shift"), "+9.60 MHz");
    EXPECT_EQ(view.Results()->ValueOf("Shift over All Phases"), QString::fromUtf8("\u221216.00 .. +16.00 MHz"));
    EXPECT_EQ(view.Results()->ValueOf("Running Frequencies"), "2459.60 MHz");
    EXPECT_TRUE(view.LongLineWarning()->isHidden());
}

TEST(MagnetronView, ASpinnerAsksForTheWholeCaseWithOneMergeIdPerSpinner)
{
    TMagnetronView view;
    const TCase c = PullingCase(0.5, 90);
    view.ShowSnapshot(ComputeCase(c));
    TEdits edited(view);
    view.Spinner(TubeInput::Isolation)->stepUp();
    view.Spinner(TubeInput::Isolation)->stepUp();
    view.Spinner(TubeInput::Pulling)->stepUp();
    ASSERT_EQ(edited.count(), 3);
    TCase expected = c;
    expected.tube.magnetron.isolationDb = 2 * TubeRow(TubeInput::Isolation).step;
    EXPECT_TRUE(edited.list[1].c == expected);
    const int first = edited.list[0].mergeId, second = edited.list[1].mergeId, third = edited.list[2].mergeId;
    EXPECT_EQ(first, second);
    EXPECT_NE(first, third);
    for (int id : {first, third}) {
        EXPECT_GE(id, kMagnetronMergeBase);
        EXPECT_LT(id, kWorkbenchMergeBase);
    }
    // the other inputs of the case are as they were: only the pulling figure changed
    TCase pulled = expected;
    pulled.tube.magnetron.pullingMHz = 10 + TubeRow(TubeInput::Pulling).step;
    EXPECT_TRUE(edited.list[2].c == pulled);
}

TEST(MagnetronView, TypingCommitsOnEnter)
{
    TMagnetronView view;
    view.ShowSnapshot(ComputeCase(DefaultCase()));
    TEdits edited(view);
    TTubeSpinner* s = view.Spinner(TubeInput::DummyRating);
    s->Editor()->selectAll();
    QTest::keyClicks(s->Editor(), "3000");
    EXPECT_EQ(edited.count(), 0);  // not while typing
    QTest::keyClick(s->Editor(), Qt::Key_Return);
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.list[0].c.tube.magnetron.dummyRatingW, 3000);
}

TEST(MagnetronView, WarnsAndListsTheFrequenciesBeyondTheCriticalLength)
{
    // SWR 2 at 180 deg on WR340: L_crit 0.935 m; at five times it the tube can jump
    TCase c = PullingCase(1.0 / 3.0, 180);
    c.line.LengthM = 5 * 0.935;
    const TSnapshot s = ComputeCase(c);
    ASSERT_GT(s.tube.magnetron.LongLine.FrequenciesMHz.size(), 1u);
    TMagnetronView view;
    view.ShowSnapshot(s);
    EXPECT_FALSE(view.LongLineWarning()->isHidden());
    const auto count = s.tube.magnetron.LongLine.FrequenciesMHz.size();
    EXPECT_TRUE(view.LongLineWarning()->text().contains(QString::number(count)));
    EXPECT_EQ(view.Results()->ValueOf("Critical Length"), "0.935 m");
    EXPECT_EQ(view.Results()->ValueOf("Running Frequencies").count(QLatin1Char(',')),
              static_cast<int>(s.tube.magnetron.LongLine.FrequenciesMHz.size()) - 1);
    // back below the critical length the warning goes
    c.line.LengthM = 0.5;
    view.ShowSnapshot(ComputeCase(c));
    EXPECT_TRUE(view.LongLineWarning()->isHidden());
}

TEST(MagnetronView, TheIsolatorAndTheDummyLoadsRating)
{
    TCase c = PullingCase(0.5, 90);
    c.tube.magnetron.isolationDb = 20;
    const TSnapshot before = ComputeCase(c);
    c.tube.magnetron.dummyRatingW = (before.m.Prefl + before.m.PreflMax) / 2;
    TMagnetronView view;
    view.ShowSnapshot(ComputeCase(c));
    EXPECT_EQ(view.Results()->ValueOf("Magnetron SWR Max"), "1.105");
    EXPECT_FALSE(view.Results()->ValueOf("Dummy Load Max").isEmpty());
    EXPECT_FALSE(view.RatingCheck()->isHidden());
    EXPECT_TRUE(view.RatingCheck()->text().contains("worst phase"));
    // without the isolator there is no dummy load to check
    c.tube.magnetron.isolationDb = 0;
    view.ShowSnapshot(ComputeCase(c));
    EXPECT_TRUE(view.RatingCheck()->isHidden());
    EXPECT_TRUE(view.Results()->ValueOf("Dummy Load Max").isEmpty());
}

TEST(MagnetronView, EveryInputAndTableHasAnAccessibleName)
{
    TMagnetronView view;
    view.ShowSnapshot(ComputeCase(DefaultCase()));
    for (TubeInput id : {TubeInput::Pulling, TubeInput::Qext, TubeInput::Isolation, TubeInput::DummyRating}) {
        ASSERT_NE(view.Spinner(id), nullptr);
        EXPECT_EQ(view.Spinner(id)->accessibleName(), QString::fromUtf8(TubeRow(id).name));
        EXPECT_NE(view.Spinner(id)->focusPolicy() & Qt::TabFocus, 0);
    }
    EXPECT_FALSE(view.Results()->accessibleName().isEmpty());
    EXPECT_FALSE(view.LongLineWarning()->accessibleName().isEmpty());
    EXPECT_EQ(view.HelpAnchor(), "magnetron");
}

// The report of a snapshot: the window's tables, then one section for each
// view whose inputs are set.
TEST(ReportSections, ASectionForEachViewWithInputs)
{
    TCase c = DefaultCase();
    const std::size_t plain = SnapshotSections(ComputeCase(c)).size();
    c.tube.magnetron.pullingMHz = 10;
    std::vector<TSection> sections = SnapshotSections(ComputeCase(c));
    ASSERT_EQ(sections.size(), plain + 1);
    EXPECT_EQ(sections.back().title, kMagnetronTitle);
    c.tube.measurement.tripPct = 10;
    sections = SnapshotSections(ComputeCase(c));
    ASSERT_EQ(sections.size(), plain + 2);
    EXPECT_EQ(sections.back().title, kMeasurementTitle);
}

}  // namespace
