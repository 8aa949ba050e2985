// SPDX-License-Identifier: GPL-3.0-or-later
// The Guide view offscreen: it shows a snapshot's figures without asking for
// a change, asks for the whole case with one change when the user chooses or
// types, keeps the value in force for a text that is not a number, and names
// every control for a screen reader.
#include "GuideView.h"

#include "InputValues.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace merivane;
using namespace merivane::present;

QLineEdit* Field(TGuideView& v, const char* name)
{
    for (QLineEdit* f : v.findChildren<QLineEdit*>())
        if (f->accessibleName() == QLatin1String(name)) return f;
    return nullptr;
}

QComboBox* List(TGuideView& v, const char* name)
{
    for (QComboBox* c : v.findChildren<QComboBox*>())
        if (c->accessibleName() == QLatin1String(name)) return c;
    return nullptr;
}

// 1 kW from a matched magnetron into a matched WR340 load at 2450 MHz.
TCase OneKilowatt()
{
    TCase c = DefaultCase();
    SetFieldValue(c.inputs, Input::AnodeV, 10000);
    SetFieldValue(c.inputs, Input::AnodeI, 0.1);
    SetFieldValue(c.inputs, Input::Effic, 100);
    SetFieldValue(c.inputs, Input::SrcMag, 0);
    SetFieldValue(c.inputs, Input::LoaMag, 0);
    return c;
}

TCase EditedCase(const QSignalSpy& spy, int at = -1)
{
    return spy.at(at < 0 ? static_cast<int>(spy.count()) - 1 : at).at(0).value<TCase>();
}

class GuideViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qRegisterMetaType<TCase>("merivane::present::TCase");
        view.show();
    }
    TGuideView view;
};

TEST_F(GuideViewTest, ShowsTheReferenceFigureWithoutAskingForAChange)
{
    QSignalSpy edited(&view, &TCaseView::Edited);
    view.ShowSnapshot(ComputeCase(OneKilowatt(), 0));
    // sqrt(4 * 533.8 ohm * 1000 W / (0.08636 m * 0.04318 m)) = 23.93 kV/m; 3000 / 23.929 = 125.37
    EXPECT_TRUE(Field(view, "Peak field")->text().startsWith("23.929"))
        << Field(view, "Peak field")->text().toStdString();
    EXPECT_TRUE(Field(view, "Breakdown margin")->text().startsWith("125.37"));
    // powers by the cells' rule: W, kW from 1000 W on
    EXPECT_EQ(Field(view, "Highest incident power over the phase")->text(), QStringLiteral("1 kW"));
    EXPECT_EQ(edited.count(), 0);
}

TEST_F(GuideViewTest, PowersFollowThePowerUnit)
{
    // 1000 W = 10 log10(1e6 mW) = 60 dBm; nothing lost in a lossless line
    TCase c = OneKilowatt();
    c.display.power = PowerUnit::Dbm;
    view.ShowSnapshot(ComputeCase(c, 0));
    EXPECT_EQ(Field(view, "Highest incident power over the phase")->text(), QStringLiteral("60 dBm"));
    EXPECT_EQ(Field(view, "Power absorbed by the load")->text(), QStringLiteral("60 dBm"));
    EXPECT_EQ(Field(view, "Power lost in the line")->text(), QStringLiteral("-oo dBm"));
}

TEST_F(GuideViewTest, ChoosingTheMetalAsksForTheConductorsLoss)
{
    TCase c = OneKilowatt();
    c.line.LengthM = 10;
    view.ShowSnapshot(ComputeCase(c, 0));
    QSignalSpy edited(&view, &TCaseView::Edited);
    QComboBox* mode = List(view, "Line loss mode");
    ASSERT_TRUE(mode);
    mode->setFocus();
    QTest::keyClick(mode, Qt::Key_End);  // the last: the conductor's metal
    ASSERT_EQ(edited.count(), 1);
    TCase asked = EditedCase(edited);
    EXPECT_EQ(asked.guide.loss, LossSource::Conductor);
    EXPECT_EQ(edited.at(0).at(2).toInt(), kGuideLossModeMerge);
    // everything else as it was
    asked.guide.loss = c.guide.loss;
    EXPECT_TRUE(asked == c);

    // the host computes the asked case and shows it: copper over 10 m
    TCase lossy = c;
    lossy.guide.loss = LossSource::Conductor;
    const TSnapshot s = ComputeCase(lossy, 0);
    view.ShowSnapshot(s);
    EXPECT_TRUE(Field(view, "Attenuation")->text().startsWith("0.01466"));
    EXPECT_TRUE(List(view, "Conductor metal")->isEnabled());
    EXPECT_FALSE(Field(view, "Line loss")->isEnabled());
    // 1000 W (1 - T), T = 10^(-0.146572 / 10): 33.19 W
    EXPECT_EQ(Field(view, "Power lost in the line")->text(), QStringLiteral("33.19 W"));
    QComboBox* metal = List(view, "Conductor metal");
    metal->setFocus();
    QTest::keyClick(metal, Qt::Key_End);
    EXPECT_EQ(EditedCase(edited).guide.metal, Conductor::Brass);
    EXPECT_EQ(edited.at(static_cast<int>(edited.count()) - 1).at(2).toInt(), kGuideMetalMerge);
}

TEST_F(GuideViewTest, ATypedFigureIsReadByTheTablesRules)
{
    TCase c = DefaultCase();
    c.guide.loss = LossSource::Entered;
    view.ShowSnapshot(ComputeCase(c, 0));
    QSignalSpy edited(&view, &TCaseView::Edited);
    QLineEdit* loss = Field(view, "Line loss");
    ASSERT_TRUE(loss && loss->isEnabled());
    loss->setFocus();
    loss->selectAll();
    QTest::keyClicks(loss, "0.25");
    QTest::keyClick(loss, Qt::Key_Return);
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(EditedCase(edited).guide.lossDbPerM, 0.25);
    EXPECT_EQ(edited.at(0).at(2).toInt(), kGuideLossMerge);

    // not a number: the value in force stays, and nothing is asked
    view.ShowSnapshot(ComputeCase(EditedCase(edited), 0));
    loss->selectAll();
    QTest::keyClicks(loss, "lots");
    QTest::keyClick(loss, Qt::Key_Return);
    EXPECT_EQ(edited.count(), 1);
    EXPECT_EQ(loss->text(), QStringLiteral("0.25"));

    // beyond the limits: the nearer one
    QLineEdit* breakdown = Field(view, "Breakdown field");
    breakdown->setFocus();
    breakdown->selectAll();
    QTest::keyClicks(breakdown, "0");
    QTest::keyClick(breakdown, Qt::Key_Return);
    ASSERT_EQ(edited.count(), 2);
    EXPECT_EQ(EditedCase(edited).guide.breakdownKvPerM, GuideRow(GuideInput::BreakdownKvPerM).lo);
}

TEST_F(GuideViewTest, EveryControlHasAnAccessibleNameAndTheHelpItsSection)
{
    for (QWidget* w : view.findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)) {
            if (qobject_cast<QLineEdit*>(w->parentWidget())) continue;
            if (qobject_cast<QComboBox*>(w->parentWidget())) continue;  // a list's own editor
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
        }
    }
    EXPECT_EQ(view.HelpAnchor(), QStringLiteral("guide"));
}

TEST_F(GuideViewTest, ACoaxialLineHasNoFieldFigure)
{
    TCase c = DefaultCase();
    c.line.Line = LineType::Coax;
    view.ShowSnapshot(ComputeCase(c, 0));
    EXPECT_TRUE(Field(view, "Peak field")->text().startsWith("n/a"));
    EXPECT_FALSE(Field(view, "Waveguide height")->isEnabled());
}

}  // namespace
