// SPDX-License-Identifier: GPL-3.0-or-later
// Moving the load on the Smith chart: the phase wraps as a typed phase does,
// the magnitude is held within 0 .. 1, and the other forms follow.
#include "SmithEdit.h"

#include "EntryReader.h"

#include <gtest/gtest.h>

#include <cmath>

namespace merivane::present {
namespace {

TCase Load(double mag, double pha)
{
    TCase c = DefaultCase();
    c.inputs.LoaRfl.Mag = mag;
    c.inputs.LoaRfl.Pha = pha;
    return c;
}

TEST(SmithEdit, PhaseStepsWrapAtHalfATurn)
{
    struct TRow {
        double from, step, to;
    };
    const TRow rows[] = {
        {90, kSmithPhaseStep, 91},          {90, -kSmithPhaseStep, 89},       {180, kSmithPhaseStep, -179},
        {-180, -kSmithPhaseStep, 179},      {175, kSmithPhaseStepLarge, -175}, {-179.5, -1, 179.5},
        {179, kSmithPhaseStep, 180},        {0.1, 0.2, 0.3},
    };
    for (const TRow& r : rows) {
        const TCase c = LoadPhaseStep(Load(0.5, r.from), r.step);
        EXPECT_EQ(c.inputs.LoaRfl.Pha, r.to) << r.from << " + " << r.step;
        EXPECT_EQ(c.inputs.LoaRfl.Mag, 0.5);
    }
}

TEST(SmithEdit, MagnitudeStepsClampAtTheEnds)
{
    struct TRow {
        double from, step, to;
    };
    const TRow rows[] = {
        {0.5, kSmithMagStep, 0.51},  {0.5, -kSmithMagStepLarge, 0.4}, {0.995, kSmithMagStep, 1.0},
        {0.95, kSmithMagStepLarge, 1.0}, {0.005, -kSmithMagStep, 0.0},  {0.2, 0.1, 0.3},
    };
    for (const TRow& r : rows) {
        const TCase c = LoadMagnitudeStep(Load(r.from, 45), r.step);
        EXPECT_EQ(c.inputs.LoaRfl.Mag, r.to) << r.from << " + " << r.step;
        EXPECT_EQ(c.inputs.LoaRfl.Pha, 45);
    }
}

TEST(SmithEdit, OtherFormsFollowTheMagnitude)
{
    const TCase c = WithLoad(Load(0.5, 0), 0.6, 10);
    // SWR (1 + 0.6) / (1 - 0.6) = 4, 20 log10 0.6 = -4.437 dB
    EXPECT_NEAR(c.inputs.LoaRfl.Swr, 4.0, 1e-12);
    EXPECT_NEAR(c.inputs.LoaRfl.Rloss, -4.4370, 1e-4);
    // nothing else of the case changes
    TCase back = c;
    back.inputs.LoaRfl = DefaultCase().inputs.LoaRfl;
    TCase d = DefaultCase();
    EXPECT_TRUE(back == d);
}

TEST(SmithEdit, HomeIsTheSourcesConjugate)
{
    TCase c = Load(0.7, -100);
    c.inputs.SrcRfl.Mag = 0.2;
    c.inputs.SrcRfl.Pha = 30;
    const TCase h = LoadToConjugate(c);
    EXPECT_EQ(h.inputs.LoaRfl.Mag, 0.2);
    EXPECT_EQ(h.inputs.LoaRfl.Pha, -30);
    c.inputs.SrcRfl.Pha = -180;
    EXPECT_EQ(std::fabs(LoadToConjugate(c).inputs.LoaRfl.Pha), 180);
}

TEST(SmithEdit, NotANumberKeepsTheLoad)
{
    const TCase c = WithLoad(Load(0.5, 20), std::nan(""), INFINITY);
    EXPECT_EQ(c.inputs.LoaRfl.Mag, 0.5);
    EXPECT_EQ(c.inputs.LoaRfl.Pha, 20);
}

// A drag lands between the fields' steps: it is put in force at their
// decimals, in the form the load's list shows, so the fields read back.
TEST(SmithEdit, ADragIsRoundedToTheFields)
{
    struct TDrag {
        int form;
        double mag, pha;
        double wantValue, wantPha;  // in the form: Mag, dB or SWR
    };
    // |G| = 0.61803398875: 0.618; in dB 20 log10 = -4.17975 -> -4.18; as an
    // SWR 1.61803 / 0.38197 = 4.23607 -> 4.236; the phase to 3 decimals
    const TDrag drags[] = {{0, 0.61803398875, -36.8698976458, 0.618, -36.87},
                           {1, 0.61803398875, 10.00004, -4.18, 10},
                           {2, 0.61803398875, 179.99991, 4.236, 180}};
    for (const TDrag& d : drags) {
        SCOPED_TRACE(d.form);
        TCase c = Load(0.5, 0);
        c.display.loaRfl = d.form;
        const TRefl r = WithDraggedLoad(c, d.mag, d.pha).inputs.LoaRfl;
        EXPECT_EQ(ReflValue(r, d.form), d.wantValue);
        EXPECT_EQ(r.Pha, d.wantPha);
    }
}

}  // namespace
}  // namespace merivane::present
