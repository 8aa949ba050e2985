// SPDX-License-Identifier: GPL-3.0-or-later
// A measured load between its points and at another plane, against values
// worked out by hand.
#include "MeasuredLoad.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace merivane {
namespace {

using C = std::complex<double>;

// 2400 MHz 0.2, 2450 MHz 0.4j, 2500 MHz -0.6, written twice at 2500 MHz
// (the later -0.5 counts above it).
TMeasuredLoad ThreePoints()
{
    TMeasuredLoad l;
    l.freqHz = {2400e6, 2450e6, 2500e6, 2500e6};
    l.gamma = {C(0.2, 0), C(0, 0.4), C(-0.6, 0), C(-0.5, 0)};
    return l;
}

struct TAt {
    const char* name;
    double fMHz;
    C gamma;
    bool inside;
};

class Interpolation : public ::testing::TestWithParam<TAt> {};

TEST_P(Interpolation, IsLinearInTheRealAndImaginaryParts)
{
    const TAt& t = GetParam();
    const TMeasuredAt at = MeasuredGammaAt(ThreePoints(), t.fMHz * 1e6);
    EXPECT_NEAR(at.gamma.real(), t.gamma.real(), 1e-15);
    EXPECT_NEAR(at.gamma.imag(), t.gamma.imag(), 1e-15);
    EXPECT_EQ(at.inside, t.inside);
}

INSTANTIATE_TEST_SUITE_P(
    Measured, Interpolation,
    ::testing::Values(TAt{"at_the_first_point", 2400, C(0.2, 0), true},
                      // a quarter of the way: 0.2 + (0 - 0.2) / 4, 0.4 / 4
                      TAt{"a_quarter_of_the_way", 2412.5, C(0.15, 0.1), true},
                      TAt{"halfway", 2475, C(-0.3, 0.2), true},
                      TAt{"at_a_point", 2450, C(0, 0.4), true},
                      TAt{"below_the_band_keeps_the_first", 2300, C(0.2, 0), false},
                      TAt{"above_the_band_keeps_the_last", 2600, C(-0.5, 0), false},
                      TAt{"at_a_repeated_frequency_the_later", 2500, C(-0.5, 0), true}),
    ROW_NAMES(std::string(r.name)));

struct TShift {
    const char* name;
    double shiftMm, inverseLambdaPerMm, alphaNpPerM;
    double scale, turnDeg;  // by hand: e^(-2 alpha l) and -720 l / lambda_g degrees
};

class PlaneShift : public ::testing::TestWithParam<TShift> {};

TEST_P(PlaneShift, TurnsByTwiceTheElectricalLengthAndTakesTheLossTwice)
{
    const TShift& t = GetParam();
    const C g(0.5, 0);
    const C shifted = ShiftedGamma(g, t.shiftMm, t.inverseLambdaPerMm, t.alphaNpPerM);
    const C want = std::polar(0.5 * t.scale, t.turnDeg * std::numbers::pi / 180);
    EXPECT_NEAR(shifted.real(), want.real(), 1e-12);
    EXPECT_NEAR(shifted.imag(), want.imag(), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Measured, PlaneShift,
    // lambda_g 173.38 mm: an eighth of it is a quarter turn back (-90 deg)
    ::testing::Values(TShift{"an_eighth_of_a_wavelength", 173.38 / 8, 1 / 173.38, 0, 1, -90},
                      // half a wavelength: a whole turn
                      TShift{"half_a_wavelength", 86.69, 1 / 173.38, 0, 1, -360},
                      // toward the load: the other way
                      TShift{"toward_the_load", -173.38 / 8, 1 / 173.38, 0, 1, 90},
                      // 1 m at 0.1 Np/m: e^(-0.2) each way, the turn of 1000 mm
                      TShift{"a_lossy_metre", 1000, 1 / 200.0, 0.1, std::exp(-0.2), -3600},
                      // below cut-off there is no wave: no turn
                      TShift{"no_wave", 50, 0, 0, 1, 0}, TShift{"no_shift", 0, 1 / 173.38, 1, 1, 0}),
    ROW_NAMES(std::string(r.name)));

}  // namespace
}  // namespace merivane
