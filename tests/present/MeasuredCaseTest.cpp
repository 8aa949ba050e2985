// SPDX-License-Identifier: GPL-3.0-or-later
// A case whose load is measured: the load the model takes, its note, the
// band's powers against the closed form, and the case file's section.
#include "CaseFile.h"
#include "CaseModel.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

namespace merivane::present {
namespace {

using C = std::complex<double>;

// 2400 MHz 0.2, 2450 MHz 0.4j, 2500 MHz -0.6; the default case otherwise:
// Pmatch = 4000 V * 3 A * 0.85 = 10200 W, Gs = 0.2 at 0 deg, WR340.
TCase MeasuredCase(double fMHz)
{
    TCase c = DefaultCase();
    TMeasuredLoad l;
    l.file = "load.s1p";
    l.freqHz = {2400e6, 2450e6, 2500e6};
    l.gamma = {C(0.2, 0), C(0, 0.4), C(-0.6, 0)};
    c.measured = l;
    c.line.FreqMHz = fMHz;
    return c;
}

// The power a lossless line's load absorbs: Pmatch (1 - |Gl|^2) / |1 - Gs Gl|^2.
double Absorbed(C gl) { return 10200 * (1 - std::norm(gl)) / std::norm(1.0 - 0.2 * gl); }

TEST(MeasuredCase, TheLoadFollowsTheMeasurementAtTheLinesFrequency)
{
    // 2425 MHz, halfway between the first two points: 0.1 + 0.2j
    const TSnapshot s = ComputeCase(MeasuredCase(2425), 0);
    EXPECT_TRUE(s.measured.inside);
    EXPECT_NEAR(s.m.LoaRfl.Mag, std::sqrt(0.05), 1e-15);
    EXPECT_NEAR(s.m.LoaRfl.Pha, std::atan2(0.2, 0.1) * 180 / std::numbers::pi, 1e-12);
    EXPECT_NEAR(s.m.Pload, Absorbed(C(0.1, 0.2)), 1e-9);
    // the fields show what the model takes
    EXPECT_EQ(s.c.inputs.LoaRfl.Mag, s.m.LoaRfl.Mag);
    EXPECT_EQ(s.c.inputs.LoaRfl.Pha, s.m.LoaRfl.Pha);
    EXPECT_EQ(MeasuredNote(*s.c.measured, s.measured), "Measured in load.s1p (port 1) at 2425 MHz");
}

TEST(MeasuredCase, OutsideTheBandTheLastValueHoldsWithANote)
{
    const TSnapshot s = ComputeCase(MeasuredCase(2600), 0);
    EXPECT_FALSE(s.measured.inside);
    EXPECT_NEAR(s.m.LoaRfl.Mag, 0.6, 1e-15);
    EXPECT_EQ(MeasuredNote(*s.c.measured, s.measured),
              "2600 MHz is outside the measured 2400\u20132500 MHz: the load is the one measured at 2500 MHz");
}

TEST(MeasuredBand, EachPointsPowersAreTheClosedForm)
{
    const TCase c = MeasuredCase(2450);
    const TBandResult b = ComputeBand(*c.measured, c.inputs, c.ideal, c.line, c.guide, 50);
    ASSERT_EQ(b.points.size(), 3u);
    const C gl[] = {C(0.2, 0), C(0, 0.4), C(-0.6, 0)};
    for (std::size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(b.points[k].absorbedW, Absorbed(gl[k]), 1e-9);
        EXPECT_NEAR(b.points[k].reflectedW, 10200 * std::norm(gl[k]) / std::norm(1.0 - 0.2 * gl[k]), 1e-9);
    }
    // -0.6 reflects most: 10200 * 0.36 / 1.12^2
    EXPECT_EQ(b.worstFrequencyMHz, 2500);
    EXPECT_NEAR(b.reflectedMaxW, 10200 * 0.36 / 1.2544, 1e-9);
    EXPECT_NEAR(b.absorbedMinW, Absorbed(C(-0.6, 0)), 1e-9);
    EXPECT_NEAR(b.absorbedMaxW, Absorbed(C(0.2, 0)), 1e-9);
    // a narrower band keeps only the points within it
    EXPECT_EQ(ComputeBand(*c.measured, c.inputs, c.ideal, c.line, c.guide, 10).points.size(), 1u);
}

TEST(MeasuredCaseFile, HoldsTheMeasurementBitForBit)
{
    TCase c = MeasuredCase(2450);
    c.measured->port = 2;
    c.measured->planeShiftMm = 12.5;
    c.measured->gamma[1] = C(0.1 + 0.2, -1.0 / 3);  // digits a short text would lose
    const TCaseReadResult r = ReadCaseFile(CaseFileText(c));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.warning.empty()) << r.warning;
    EXPECT_EQ(r.c, c);
    // no section without a measurement
    EXPECT_EQ(CaseFileText(DefaultCase()).find("\"measured\""), std::string::npos);
}

struct TDamaged {
    const char* name;
    const char* section;
    const char* words;
};

class DamagedMeasured : public ::testing::TestWithParam<TDamaged> {};

TEST_P(DamagedMeasured, IsRefusedWithWhereAndWhat)
{
    std::string text = CaseFileText(DefaultCase());
    text.insert(text.rfind('}'), std::string(",\n  \"measured\": ") + GetParam().section + "\n");
    const TCaseReadResult r = ReadCaseFile(text);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find(GetParam().words), std::string::npos) << r.error;
}

INSTANTIATE_TEST_SUITE_P(
    CaseFile, DamagedMeasured,
    ::testing::Values(TDamaged{"not_an_object", "[1]", "measured: an object is expected"},
                      TDamaged{"no_points", "{\"points\": []}", "measured.points: the list has no points"},
                      TDamaged{"a_short_point", "{\"points\": [[2.4e9, 0.1]]}", "measured.points[0]: [frequency_hz, re, im]"},
                      TDamaged{"a_text_in_a_point", "{\"points\": [[2.4e9, \"a\", 0]]}", "measured.points[0]"},
                      TDamaged{"a_decreasing_frequency", "{\"points\": [[2.5e9, 0, 0], [2.4e9, 0, 0]]}",
                               "measured.points[1]: the frequency is lower"},
                      TDamaged{"port_zero", "{\"port\": 0, \"points\": [[2.4e9, 0, 0]]}", "measured.port"},
                      TDamaged{"port_not_whole", "{\"port\": 1.5, \"points\": [[2.4e9, 0, 0]]}", "measured.port"},
                      TDamaged{"shift_a_text", "{\"plane_shift_mm\": \"x\", \"points\": [[2.4e9, 0, 0]]}",
                               "measured.plane_shift_mm"}),
    ROW_NAMES(std::string(r.name)));

}  // namespace
}  // namespace merivane::present
