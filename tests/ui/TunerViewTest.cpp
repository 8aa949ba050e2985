// SPDX-License-Identifier: GPL-3.0-or-later
// The Tuner view offscreen: a snapshot of Gl = 0.4 at 120 deg in WR340 at
// 2450 MHz shows the worked examples in its table; choosing a method, a
// spacing or a solution asks for the case with it under the view's merge
// ids; a calibration table adds the screw depths, and a bad one is refused
// with its reason.
#include "TunerView.h"

#include "InputValues.h"
#include "ReportSections.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

namespace {

using namespace merivane;
using namespace merivane::present;

TCase ExampleCase(MatchMethod method)
{
    TCase c = DefaultCase();  // WR340 at 2450 MHz
    SetFieldValue(c.inputs, Input::LoaMag, 0.4);
    SetFieldValue(c.inputs, Input::LoaPha, 120);
    c.tuner.method = method;
    return c;
}

struct TView {
    TTunerView view;
    QTableWidget* table = view.findChild<QTableWidget*>();
    QComboBox* method = view.findChild<QComboBox*>();
    QDoubleSpinBox* spacing = view.findChild<QDoubleSpinBox*>();
    explicit TView(const TCase& c) { view.ShowSnapshot(ComputeCase(c, 0)); }
    QString Cell(int row, int column) const { return table->item(row, column)->text(); }
    QString Header(int column) const { return table->horizontalHeaderItem(column)->text(); }
    QString Readout(const char* name) const
    {
        for (QLabel* l : view.findChildren<QLabel*>())
            if (l->accessibleName() == QLatin1String(name)) return l->text();
        return QStringLiteral("(no readout %1)").arg(QLatin1String(name));
    }
};

TEST(TunerView, ThreeStubWorkedExample)
{
    TView v(ExampleCase(MatchMethod::ThreeStub));
    ASSERT_NE(v.table, nullptr);
    ASSERT_EQ(v.table->rowCount(), 1);
    ASSERT_EQ(v.table->columnCount(), 3);
    EXPECT_EQ(v.Header(0), "b1");
    EXPECT_EQ(v.Cell(0, 0), "0.0000");
    EXPECT_EQ(v.Cell(0, 1), "0.0544");
    EXPECT_EQ(v.Cell(0, 2), "0.9258");
    EXPECT_TRUE(v.Readout("Match Status").startsWith("Matchable")) << v.Readout("Match Status").toStdString();
    EXPECT_TRUE(v.Readout("Load Admittance").contains("1.1053 \u2212 j0.9116"));
    EXPECT_TRUE(v.Readout("Power After the Match").contains("with the load matched 10.2 kW"))
        << v.Readout("Power After the Match").toStdString();
}

TEST(TunerView, ReadoutsFollowThePowerUnitAndTheCheck)
{
    // 10.2 kW matched is 10 log10(10.2e6 mW) = 70.09 dBm. At 86.690153 mm
    // (lg / 2) the three stubs match nothing and the magnetron sees the
    // load: |G| 0.4, SWR 1.4 / 0.6.
    TCase c = ExampleCase(MatchMethod::ThreeStub);
    c.display.power = PowerUnit::Dbm;
    c.tuner.spacingMm = 86.690153;
    TView v(c);
    EXPECT_EQ(v.table->rowCount(), 0);
    EXPECT_TRUE(v.Readout("Power After the Match").contains("with the load matched 70.09 dBm"))
        << v.Readout("Power After the Match").toStdString();
    EXPECT_EQ(v.Readout("Match Status"), "Not matchable: the spacing is a multiple of half a guide wavelength.");
    EXPECT_EQ(v.Readout("Reflection the Magnetron Then Sees"), "The magnetron then sees |\u0393| = 0.4000 (SWR 2.333).");
}

TEST(TunerView, SingleStubWorkedExample)
{
    TView v(ExampleCase(MatchMethod::SingleStub));
    ASSERT_EQ(v.table->rowCount(), 2);
    const char* expected[2][3] = {{"1.55", "0.8729", "63.15"}, {"56.25", "-0.8729", "23.54"}};
    for (int i = 0; i < 2; ++i)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(v.Cell(i, k).toStdString(), expected[i][k]) << i << " " << k;
}

TEST(TunerView, EHTunerWithItsOrder)
{
    TView v(ExampleCase(MatchMethod::EH));
    ASSERT_EQ(v.table->rowCount(), 2);
    EXPECT_EQ(v.Cell(0, 0), "series-then-shunt");
    EXPECT_EQ(v.Cell(0, 1), "0.0544");
    EXPECT_EQ(v.Cell(0, 2), "0.9258");
    EXPECT_EQ(v.Cell(1, 1), "-0.9426");
    EXPECT_EQ(v.Cell(1, 2), "-0.9258");
    EXPECT_FALSE(v.spacing->isEnabled());  // one plane: no spacing
}

TEST(TunerView, AFullReflectionSaysSoInWords)
{
    TCase c = ExampleCase(MatchMethod::ThreeStub);
    SetFieldValue(c.inputs, Input::LoaMag, 1.0);
    TView v(c);
    EXPECT_EQ(v.table->rowCount(), 0);
    EXPECT_TRUE(v.Readout("Match Status").startsWith("Not matchable")) << v.Readout("Match Status").toStdString();
}

TEST(TunerView, ChangingTheMethodAsksForTheCaseWithIt)
{
    const TCase c = ExampleCase(MatchMethod::ThreeStub);
    TView v(c);
    QSignalSpy spy(&v.view, &TCaseView::Edited);
    v.method->setFocus();
    v.method->setCurrentIndex(v.method->findData(static_cast<int>(MatchMethod::DoubleStub)));
    ASSERT_EQ(spy.size(), 1);
    const TCase asked = spy[0][0].value<TCase>();
    EXPECT_EQ(asked.tuner.method, MatchMethod::DoubleStub);
    TCase expected = c;
    expected.tuner.method = MatchMethod::DoubleStub;
    EXPECT_TRUE(asked == expected);  // nothing else changed
    EXPECT_EQ(spy[0][2].toInt(), TTunerView::kMethodMerge);
    EXPECT_GE(TTunerView::kMethodMerge, kTunerMergeBase);
    EXPECT_LT(TTunerView::kCalibrationMerge, kMagnetronMergeBase);
}

TEST(TunerView, ShowingASnapshotNeverAsks)
{
    TView v(ExampleCase(MatchMethod::ThreeStub));
    QSignalSpy spy(&v.view, &TCaseView::Edited);
    TCase other = ExampleCase(MatchMethod::SingleStub);
    other.tuner.solution = 1;
    other.tuner.spacingMm = 30;
    v.view.ShowSnapshot(ComputeCase(other, 0));
    EXPECT_EQ(spy.size(), 0);
    EXPECT_EQ(v.table->currentRow(), 1);
    EXPECT_EQ(v.spacing->value(), 30.0);
}

TEST(TunerView, SpacingStepsShareOneMergeId)
{
    TView v(ExampleCase(MatchMethod::ThreeStub));
    QSignalSpy spy(&v.view, &TCaseView::Edited);
    v.spacing->setFocus();
    QTest::keyClick(v.spacing, Qt::Key_Up);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].value<TCase>().tuner.spacingMm, 0.5);
    EXPECT_EQ(spy[0][2].toInt(), TTunerView::kSpacingMerge);
}

TEST(TunerView, ChoosingASolutionByTheKeys)
{
    TView v(ExampleCase(MatchMethod::SingleStub));
    QSignalSpy spy(&v.view, &TCaseView::Edited);
    v.table->setFocus();
    QTest::keyClick(v.table, Qt::Key_Down);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].value<TCase>().tuner.solution, 1);
    EXPECT_EQ(spy[0][2].toInt(), TTunerView::kSolutionMerge);
}

TEST(TunerView, ACalibrationTableGivesTheDepths)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("screw.csv");
    std::ofstream(path.toStdString()) << "depth_mm,b\n0,0\n2.5,0.25\n5,0.5\n";
    TView v(ExampleCase(MatchMethod::ThreeStub));
    QSignalSpy spy(&v.view, &TCaseView::Edited);
    ASSERT_TRUE(v.view.LoadCalibration(path)) << v.view.LastError().toStdString();
    ASSERT_EQ(spy.size(), 1);
    const TCase asked = spy[0][0].value<TCase>();
    ASSERT_EQ(asked.tuner.screws.size(), 3u);
    // the document would now show the case asked for
    v.view.ShowSnapshot(ComputeCase(asked, 0));
    ASSERT_EQ(v.table->columnCount(), 6);
    EXPECT_EQ(v.Header(4), "Depth 2 (mm)");
    EXPECT_EQ(v.Cell(0, 3), "out");
    EXPECT_EQ(v.Cell(0, 4), "0.54");  // a straight table: 10 mm per unit b
    EXPECT_EQ(v.Cell(0, 5), "beyond the table");
}

TEST(TunerView, ABadCalibrationIsRefusedWithTheReason)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.csv");
    std::ofstream(path.toStdString()) << "0,0\n5,0.2\n4,0.3\n";
    TView v(ExampleCase(MatchMethod::ThreeStub));
    QSignalSpy spy(&v.view, &TCaseView::Edited);
    EXPECT_FALSE(v.view.LoadCalibration(path));
    EXPECT_EQ(spy.size(), 0);
    EXPECT_TRUE(v.view.LastError().contains("line 3: the depths must rise strictly")) << v.view.LastError().toStdString();
    EXPECT_FALSE(v.view.LoadCalibration(dir.filePath("missing.csv")));
    EXPECT_TRUE(v.view.LastError().contains("cannot be read"));
}

TEST(TunerView, TheReportWritesWhatTheViewShows)
{
    // a section of its own once the tuner's inputs are set, with the view's texts
    const auto tunerSection = [](const TCase& c) -> std::optional<TSection> {
        for (const TSection& s : SnapshotSections(ComputeCase(c, 0)))
            if (s.title == kTunerTitle) return s;
        return std::nullopt;
    };
    EXPECT_FALSE(tunerSection(DefaultCase()));
    const TCase c = ExampleCase(MatchMethod::SingleStub);
    const std::optional<TSection> sec = tunerSection(c);
    ASSERT_TRUE(sec);
    TView v(c);
    int shown = 0;
    for (const TCaseRow& row : sec->rows) {
        for (const char* name : {"Match Status", "Load Admittance", "Power After the Match"}) {
            if (row.caption != name) continue;
            EXPECT_EQ(v.Readout(name).toStdString(), row.values.at(0).text) << name;
            ++shown;
        }
    }
    EXPECT_EQ(shown, 3);
}

TEST(TunerView, EveryInputAndReadoutHasAName)
{
    TView v(ExampleCase(MatchMethod::ThreeStub));
    EXPECT_EQ(v.view.accessibleName(), "Tuner");
    EXPECT_EQ(v.view.HelpAnchor(), "tuner");
    // the view's own widgets (not the parts Qt builds inside a table or a spinner)
    for (QWidget* w : v.view.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QDoubleSpinBox*>(w) || qobject_cast<QTableWidget*>(w) ||
            qobject_cast<QAbstractButton*>(w)) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
        }
    }
}

}  // namespace
