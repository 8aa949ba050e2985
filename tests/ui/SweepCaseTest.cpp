// SPDX-License-Identifier: GPL-3.0-or-later
// The Line Sweep page takes the case's line loss and the magnetron's pulling:
// set through the window's case document, as a view of the Workbench does.
#include "CaseDocument.h"
#include "SweepFixture.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace sweeptest;

class SweepCaseTest : public SweepTest {
protected:
    // Puts the case with the line's length and a change puts in force, as an
    // edit outside the main window.
    template <typename Change>
    void EditCase(Change change)
    {
        TCaseState s = w->Document()->State();
        change(s.c);
        w->Document()->Edit(s, QStringLiteral("test"));
        QApplication::processEvents();
    }
};

// The defaults: P = 4000 V * 3 A * 0.85 = 10200 W, |Gs| = 0.2, |Gl| = 0.5. Over
// a uniform round-trip phase the mean of 1 / |1 - a e^(j phi)|^2 is
// 1 / (1 - |a|^2); with a pass factor p = e^(-2 alpha L) the load takes
// p (1 - |Gl|^2) of the forward wave and the source end sees p Gl, so
//   mean absorbed = P p (1 - |Gl|^2) / (1 - |Gs Gl p|^2).
// Without loss: 10200 * 0.75 / 0.99 = 7727 W. With 1 dB/m over 3 m,
// p = 10^(-0.3) = 0.501187: 10200 * 0.501187 * 0.75 / (1 - 0.0501187^2)
// = 3834.08 / 0.997488 = 3843.7 W.
struct TLossCase {
    const char* name;
    double dbPerM;
    const char* mean;  // kW, as the readout shows it
};
const TLossCase kLossCases[] = {
    {"no loss", 0.0, "7.73"},
    {"1 dB/m over 3 m", 1.0, "3.84"},
};

TEST_F(SweepCaseTest, TheLineLossOfTheCaseLowersTheMeanAbsorbedPower)
{
    ShowPage();
    EditCase([](merivane::present::TCase& c) { c.line.LengthM = 3; });
    // the lengths to add and the spread do not depend on a loss (p is real)
    std::vector<std::string> lossless;
    for (int i = 0; i < 5; ++i) lossless.push_back(Readout(i));
    for (const TLossCase& t : kLossCases) {
        SCOPED_TRACE(t.name);
        EditCase([&](merivane::present::TCase& c) {
            c.guide.loss = t.dbPerM > 0 ? merivane::LossSource::Entered : merivane::LossSource::None;
            c.guide.lossDbPerM = t.dbPerM;
        });
        EXPECT_EQ(Readout(5), t.mean);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(Readout(i), lossless[static_cast<std::size_t>(i)]) << i;
        EXPECT_NEAR(Page()->Case().PassFactor, std::pow(10.0, -t.dbPerM * 3 / 10), 1e-12);
    }
}

TEST_F(SweepCaseTest, WithoutALossThePageIsTheLosslessSweepBitForBit)
{
    ShowPage();
    EditCase([](merivane::present::TCase& c) { c.line.LengthM = 3; });
    const merivane::TSweepResult lossless = merivane::CalcLineSweep(merivane::TSweepCase{Model(), Page()->Inputs()}, 0);
    EXPECT_EQ(Page()->Case().PassFactor, 1.0);
    EXPECT_EQ(Page()->Result().Stats.Mean, lossless.Stats.Mean);
    EXPECT_EQ(Page()->Result().Stats.Deviation, lossless.Stats.Deviation);
    EXPECT_EQ(Page()->Result().AtZero.Pload, lossless.AtZero.Pload);
}

TEST_F(SweepCaseTest, ThePagesChartShowsThePulledFrequencyWhenThePullingIsKnown)
{
    ShowPage();
    EXPECT_EQ(Chart()->PulledCurve(), nullptr);
    EditCase([](merivane::present::TCase& c) { c.tube.magnetron.pullingMHz = 10; });
    QLineSeries* curve = Chart()->PulledCurve();
    ASSERT_NE(curve, nullptr);
    ASSERT_GT(curve->count(), 0);
    // f0 = 2450 MHz, PF = 10 MHz, the load 0.5 at 90 deg: +9.60 MHz at the load
    EXPECT_EQ(curve->at(0).x(), 0.0);
    EXPECT_NEAR(curve->at(0).y(), 2459.60, 0.005);
    EditCase([](merivane::present::TCase& c) { c.tube.magnetron.pullingMHz = 0; });
    EXPECT_EQ(Chart()->PulledCurve(), nullptr);
}

}  // namespace
