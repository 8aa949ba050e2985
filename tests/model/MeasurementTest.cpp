// SPDX-License-Identifier: GPL-3.0-or-later
// The isolator, the uncertainty budget (with a Monte Carlo check of the leak
// models), the trip levels and the water load.
#include "Isolator.h"
#include "ModelCases.h"
#include "Transmission.h"
#include "Uncertainty.h"
#include "WaterLoad.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

namespace merivane {
namespace {

using testcases::Defaults;
using Cplx = std::complex<double>;
constexpr double kPi = std::numbers::pi;

double Leak(double dirDb) { return std::pow(10.0, -dirDb / 20.0); }

TEST(Isolator, WorkedExampleTwentyDbOnHalfAReflection)
{
    // 0.1 * 0.5 = 0.05; SWR 1.05 / 0.95 = 1.10526
    TModel m = Defaults();
    CalcTransmission(m, false);
    const TIsolatorResult r = CalcIsolator(m, {20.0, 0.0});
    EXPECT_NEAR(r.MagnetronMagMax, 0.05, 1e-12);
    EXPECT_NEAR(r.MagnetronSwrMax, 1.105, 5e-4);
    EXPECT_FALSE(r.RatingSet);
}

struct TRatingCase {
    double ratingW;
    bool within, maxWithin;
};

TEST(Isolator, TheDummyLoadTakesTheReflectedPowerAndIsCheckedAgainstItsRating)
{
    // Defaults by hand: Pinc = 10200 / |1 - 0.1j|^2 = 10099.01 W,
    // Prefl = 0.25 Pinc = 2524.75 W; PreflMax = 0.25 * 10200 / 0.9^2 = 3148.15 W
    TModel m = Defaults();
    CalcTransmission(m, false);
    const TRatingCase cases[] = {{2000.0, false, false}, {3000.0, true, false}, {3148.0, true, false}, {3200.0, true, true}};
    for (const TRatingCase& c : cases) {
        const TIsolatorResult r = CalcIsolator(m, {20.0, c.ratingW});
        EXPECT_NEAR(r.DummyLoadW, 2524.75, 5e-3);
        EXPECT_NEAR(r.DummyLoadMaxW, 3148.15, 5e-3);
        EXPECT_TRUE(r.RatingSet);
        EXPECT_EQ(r.WithinRating, c.within) << c.ratingW;
        EXPECT_EQ(r.MaxWithinRating, c.maxWithin) << c.ratingW;
    }
}

struct TBudgetCase {
    const char* name;
    LeakPhaseModel model;
    double directivityPct;  // by hand at |G_l| = 0.2, D = 30 dB (d = 0.031623), 1 - |G_l|^2 = 0.96
};

const TBudgetCase kBudgets[] = {
    {"fixed", LeakPhaseModel::Fixed, 1.3176},          // 2 * 0.2 * 0.031623 / 0.96
    {"disk", LeakPhaseModel::Disk, 0.9317},            // sqrt 2 * 0.2 * 0.031623 / 0.96
    {"rayleigh", LeakPhaseModel::Rayleigh, 0.7612},    // 2 sqrt 2 * 0.2 * 0.031623 / 2.448 / 0.96
};

TEST(Uncertainty, WorkedExampleFixedPhase)
{
    // coupling sqrt(1 + 0.0016) * 1 / 0.96 = 1.0425, sensor half of it;
    // combined sqrt(1.3176^2 + 1.0425^2 + 0.5213^2) = 1.7591, U = 3.5183
    const TUncertainty u = UncertaintyBudget(0.2, Leak(30), {LeakPhaseModel::Fixed, 1.0, 0.5});
    ASSERT_TRUE(u.Defined);
    EXPECT_NEAR(u.DirectivityPct, 1.318, 5e-4);
    EXPECT_NEAR(u.CouplingPct, 1.042, 5e-4);
    EXPECT_NEAR(u.SensorPct, 0.521, 5e-4);
    EXPECT_NEAR(u.CombinedPct, 1.759, 5e-4);
    EXPECT_NEAR(u.ExpandedPct, 3.518, 5e-4);
}

TEST(Uncertainty, EachLeakModelByHand)
{
    for (const TBudgetCase& c : kBudgets) {
        const TUncertainty u = UncertaintyBudget(0.2, Leak(30), {c.model, 0.0, 0.0});
        EXPECT_NEAR(u.DirectivityPct, c.directivityPct, 1e-4) << c.name;
        EXPECT_NEAR(u.CombinedPct, c.directivityPct, 1e-4) << c.name;
        EXPECT_STREQ(LeakPhaseModelName(c.model), c.name);
    }
}

TEST(Uncertainty, FromTheModelWithItsWorstCaseBounds)
{
    // Defaults with |G_l| = 0.2 and a 30 dB coupler. The bounds by hand:
    // ((1 - 0.0063246)^2 - 0.2316228^2) / 0.96 - 1 = -2.7352 %,
    // ((1 + 0.0063246)^2 - 0.1683772^2) / 0.96 - 1 = +2.5352 %
    TModel m = Defaults();
    m.LoaRfl.Mag = 0.2;
    m.CplDirDb = 30;
    CalcTransmission(m, false);
    const TUncertainty u = CalcUncertainty(m, {LeakPhaseModel::Fixed, 1.0, 0.5});
    EXPECT_NEAR(u.CombinedPct, 1.759, 5e-4);
    EXPECT_NEAR(u.CombinedW, m.Pload * u.CombinedPct / 100, 1e-9);
    EXPECT_NEAR(u.ExpandedW, 2 * u.CombinedW, 1e-9);
    EXPECT_NEAR(u.WorstLowPct, -2.7352, 1e-4);
    EXPECT_NEAR(u.WorstHighPct, 2.5352, 1e-4);
    // ideal couplers leak nothing
    CalcTransmission(m, true);
    EXPECT_EQ(CalcUncertainty(m, {LeakPhaseModel::Fixed, 1.0, 0.5}).DirectivityPct, 0.0);
}

TEST(Uncertainty, UndefinedAtAFullReflection)
{
    EXPECT_FALSE(UncertaintyBudget(1.0, Leak(30), {}).Defined);
}

// Draws one leak of amplitude d under the model.
Cplx DrawLeak(LeakPhaseModel model, double d, std::mt19937_64& rng)
{
    std::uniform_real_distribution<double> uni(0.0, 1.0);
    std::normal_distribution<double> normal(0.0, d / kRayleigh95);
    switch (model) {
    case LeakPhaseModel::Fixed: return std::polar(d, 2 * kPi * uni(rng));
    case LeakPhaseModel::Disk: return std::polar(d * std::sqrt(uni(rng)), 2 * kPi * uni(rng));
    case LeakPhaseModel::Rayleigh: break;
    }
    const double re = normal(rng);
    return {re, normal(rng)};
}

// The readings simulated exactly: forward |1 + e1 G_l|^2, reverse |G_l + e2|^2,
// the absorbed power their difference; its spread over 200 000 draws against
// the budget's first-order figure.
TEST(Uncertainty, MonteCarloAgreesWithEachLeakModel)
{
    struct TCase {
        double mag, pha, dirDb;
    };
    for (const TCase& k : {TCase{0.2, 0.0, 30.0}, TCase{0.5, 70.0, 20.0}}) {
        const Cplx g = std::polar(k.mag, k.pha * kPi / 180.0);
        const double d = Leak(k.dirDb), truth = 1 - k.mag * k.mag;
        for (const TBudgetCase& c : kBudgets) {
            std::mt19937_64 rng(20240522);
            double sum = 0, sum2 = 0;
            const int n = 200000;
            for (int i = 0; i < n; ++i) {
                const Cplx e1 = DrawLeak(c.model, d, rng), e2 = DrawLeak(c.model, d, rng);
                const double rel = (std::norm(1.0 + e1 * g) - std::norm(g + e2)) / truth - 1;
                sum += rel;
                sum2 += rel * rel;
            }
            const double sd = 100 * std::sqrt(sum2 / n - (sum / n) * (sum / n));
            const double budget = UncertaintyBudget(k.mag, d, {c.model, 0.0, 0.0}).DirectivityPct;
            EXPECT_NEAR(sd / budget, 1.0, 0.02) << c.name << " at |G| " << k.mag;
        }
    }
}

TEST(Uncertainty, MonteCarloAgreesWithTheCouplingComponent)
{
    // each reading scaled by its own (1 + u N(0, 1))
    const double mag = 0.5, u = 0.01;
    std::mt19937_64 rng(7);
    std::normal_distribution<double> normal(0.0, u);
    double sum = 0, sum2 = 0;
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        const double rel = ((1 + normal(rng)) - mag * mag * (1 + normal(rng))) / (1 - mag * mag) - 1;
        sum += rel;
        sum2 += rel * rel;
    }
    const double sd = 100 * std::sqrt(sum2 / n - (sum / n) * (sum / n));
    EXPECT_NEAR(sd / UncertaintyBudget(mag, 0.0, {LeakPhaseModel::Fixed, 1.0, 0.0}).CouplingPct, 1.0, 0.02);
}

TEST(Trip, WorkedExampleTenPercentWithTwentyFiveDbCouplers)
{
    // sqrt 0.1 = 0.316228, d = 0.056234:
    // (0.316228 + 0.056234) / (1 - 0.017783) = 0.37921, SWR 2.2217
    // (0.316228 - 0.056234) / (1 + 0.017783) = 0.25545, SWR 1.6862
    const TTripLevels t = CalcTripLevels(10.0, Leak(25));
    ASSERT_TRUE(t.Defined);
    EXPECT_NEAR(t.SureAboveMag, 0.3792, 5e-5);
    EXPECT_NEAR(t.SureAboveSwr, 2.222, 5e-4);
    EXPECT_NEAR(t.NeverBelowMag, 0.2555, 5e-5);
    EXPECT_NEAR(t.NeverBelowSwr, 1.686, 5e-4);
    EXPECT_TRUE(t.SureReachable());
}

// The ratio of the readings over every pair of leak phases, on a grid.
void RatioRange(double mag, double d, double& lo, double& hi)
{
    lo = 1e9;
    hi = 0;
    for (int i = 0; i < 360; ++i)
        for (int j = 0; j < 360; ++j) {
            const Cplx e1 = std::polar(d, i * kPi / 180), e2 = std::polar(d, j * kPi / 180);
            const double ratio = std::norm(mag + e2) / std::norm(1.0 + e1 * mag);
            lo = std::min(lo, ratio);
            hi = std::max(hi, ratio);
        }
}

TEST(Trip, AroundTheLevelsEveryLeakPhaseAgrees)
{
    const double cases[][2] = {{10.0, 25.0}, {5.0, 20.0}, {25.0, 30.0}};
    for (const auto& c : cases) {
        const double d = Leak(c[1]), trip = c[0] / 100;
        const TTripLevels t = CalcTripLevels(c[0], d);
        double lo = 0, hi = 0;
        RatioRange(t.SureAboveMag * 1.001, d, lo, hi);
        EXPECT_GE(lo, trip) << "just above, every phase trips: " << c[0] << " %, " << c[1] << " dB";
        RatioRange(t.SureAboveMag * 0.99, d, lo, hi);
        EXPECT_LT(lo, trip) << "just below, some phase does not";
        RatioRange(t.NeverBelowMag * 0.999, d, lo, hi);
        EXPECT_LT(hi, trip) << "just below, no phase trips";
        RatioRange(t.NeverBelowMag * 1.01, d, lo, hi);
        EXPECT_GE(hi, trip) << "just above, some phase does";
    }
}

TEST(Trip, LeaksAboveTheTripReachItEvenOnAMatch)
{
    // sqrt 0.1% = 0.0316 below d = 0.1 of a 20 dB coupler
    const TTripLevels t = CalcTripLevels(0.1, Leak(20));
    EXPECT_EQ(t.NeverBelowMag, 0.0);
    EXPECT_EQ(t.NeverBelowSwr, 1.0);
    // a trip at 90 % with 6 dB couplers cannot be made sure
    const TTripLevels u = CalcTripLevels(90.0, Leak(6));
    EXPECT_FALSE(u.SureReachable());
    EXPECT_EQ(u.SureAboveSwr, kInfinity);
}

TEST(WaterLoad, WorkedExampleTenLitresAMinuteTwentyKelvin)
{
    // 0.998 * 4182 / 60 = 69.5606 W per L/min and K; times 200 = 13912.1 W
    EXPECT_NEAR(WaterLoadPowerW(1.0, 1.0), 69.56, 5e-3);
    EXPECT_NEAR(WaterLoadPowerW(10.0, 20.0), 13910.0, 5.0);
}

TEST(WaterLoad, DifferenceAgainstTheModelsAbsorbedPower)
{
    // Defaults: Pload = 0.75 * 10099.01 = 7574.26 W; 10 log10(13912.12 / 7574.26) = 2.6405 dB
    TModel m = Defaults();
    CalcTransmission(m, false);
    const TCalorimetry c = CalcCalorimetry(10.0, 20.0, m.Pload);
    ASSERT_TRUE(c.DifferenceDefined);
    EXPECT_NEAR(c.PowerW, 13912.12, 5e-3);
    EXPECT_NEAR(c.DifferenceDb, 2.6405, 5e-4);
    EXPECT_NEAR(CalcCalorimetry(5.0, 20.0, c.PowerW).DifferenceDb, -3.0103, 1e-4);
    EXPECT_FALSE(CalcCalorimetry(0.0, 20.0, m.Pload).DifferenceDefined);
    EXPECT_FALSE(CalcCalorimetry(10.0, 20.0, 0.0).DifferenceDefined);
}

}  // namespace
}  // namespace merivane
