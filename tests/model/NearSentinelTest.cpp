// SPDX-License-Identifier: GPL-3.0-or-later
// Near-total reflections: every power of the model against the closed forms
// P F, P F |Gl|^2 and P F (1 - |Gl|^2), worked out here in long double, with
// whatever reaches 1e16 stored as the sentinel.
#include "ModelCases.h"
#include "Transmission.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace merivane {
namespace {

using ext = long double;

struct TNear {
    const char* name;
    double gs, gsPha, gl, glPha;
    double dirDb;  // below 0: ideal couplers
};

class NearTotal : public ::testing::TestWithParam<TNear> {};

// The model's way of storing: 1e16 and beyond (or an infinite value) is the sentinel.
ext AsStored(ext x)
{
    if (!(std::fabs(x) < 1e16L)) return x > 0 ? kInfinity : -kInfinity;
    return x;
}

void ExpectPower(const char* what, double got, ext want)
{
    if (std::isnan(want)) {
        EXPECT_TRUE(std::isnan(got)) << what << " is " << got << ", not undefined";
        return;
    }
    const ext stored = AsStored(want);
    if (std::fabs(stored) >= kInfinity) {
        EXPECT_EQ(got, static_cast<double>(stored)) << what << " closed form " << static_cast<double>(want);
        return;
    }
    EXPECT_NEAR(got, static_cast<double>(stored), 1e-8 * std::fabs(static_cast<double>(stored)) + 1e-300) << what;
}

TEST_P(NearTotal, PowersAreTheClosedFormsOrTheSentinel)
{
    const TNear& t = GetParam();
    TModel m = testcases::Defaults();
    m.SrcRfl.Mag = t.gs;
    m.SrcRfl.Pha = t.gsPha;
    m.LoaRfl.Mag = t.gl;
    m.LoaRfl.Pha = t.glPha;
    m.CplDirDb = t.dirDb < 0 ? 0 : t.dirDb;
    CalcTransmission(m, t.dirDb < 0);

    // Pmatch = 4000 V * 3 A * 0.85 = 10200 W
    const ext p = 10200.0L, s = t.gs, g = t.gl;
    const ext theta = (static_cast<ext>(t.gsPha) + t.glPha) * std::numbers::pi_v<ext> / 180.0L;
    // |1 - r e^(j theta)|^2 = 1 - 2 r cos theta + r^2; in phase (1 - r)^2, against (1 + r)^2
    const ext r = s * g;
    const ext now = std::fabs(std::cos(theta) - 1.0L) < 1e-30L ? (1.0L - r) * (1.0L - r)
                                                                : 1.0L - 2.0L * r * std::cos(theta) + r * r;
    const ext lo = (1.0L + r) * (1.0L + r), hi = (1.0L - r) * (1.0L - r);
    const ext l2 = g * g, mism = (1.0L - g) * (1.0L + g);
    const auto over = [](ext num, ext den) { return num == 0 ? 0.0L : den == 0 ? HUGE_VALL : num / den; };

    ExpectPower("Pinc", m.Pinc, over(p, now));
    ExpectPower("Prefl", m.Prefl, over(p * l2, now));
    ExpectPower("Pload", m.Pload, over(p * mism, now));
    ExpectPower("PincMin", m.PincMin, over(p, lo));
    ExpectPower("PreflMin", m.PreflMin, over(p * l2, lo));
    ExpectPower("PloadMin", m.PloadMin, over(p * mism, lo));
    ExpectPower("PincMax", m.PincMax, over(p, hi));
    ExpectPower("PreflMax", m.PreflMax, over(p * l2, hi));
    ExpectPower("PloadMax", m.PloadMax, over(p * mism, hi));
    ExpectPower("Interf", m.Interf, over(1, now));
    ExpectPower("InterfMax", m.InterfMax, over(1, hi));

    // the couplers: the forward one reads (1 -+ d g)^2 of the incident power,
    // the reverse one (g -+ d)^2; the absorbed bounds are their differences
    const ext d = t.dirDb < 0 ? 0.0L : std::pow(10.0L, -static_cast<ext>(t.dirDb) / 20.0L);
    const ext inc = over(p, now);
    const auto reading = [&](ext factor) { return factor == 0 ? 0.0L : inc * factor; };
    ExpectPower("PincMinV", m.PincMinV, reading((1 - d * g) * (1 - d * g)));
    ExpectPower("PincMaxV", m.PincMaxV, reading((1 + d * g) * (1 + d * g)));
    ExpectPower("PreflMinV", m.PreflMinV, reading((g - d) * (g - d)));
    ExpectPower("PreflMaxV", m.PreflMaxV, reading((g + d) * (g + d)));
    // two infinite readings have no difference
    const bool bothInfinite = std::isinf(inc) && (1 - d * g) != 0 && (g - d) != 0;
    const auto absorbed = [&](ext factor) { return bothInfinite ? std::numeric_limits<ext>::quiet_NaN() : reading(factor); };
    ExpectPower("PloadMinV", m.PloadMinV, absorbed((1 - d * g) * (1 - d * g) - (g + d) * (g + d)));
    ExpectPower("PloadMaxV", m.PloadMaxV, absorbed((1 + d * g) * (1 + d * g) - (g - d) * (g - d)));
}

const TNear kNear[] = {
    // the command line's example: 10200 (1 + |Gl|) / (1 - |Gl|) = 5.1e14 W absorbed
    // while 6.4e24 W run each way
    {"full_source_load_just_below_one", 1.0, 0, 0.99999999996, 0, -1},
    {"full_source_load_0_9999_real_couplers", 1.0, 0, 0.9999, 0, 20},
    // in phase through the sum of the phases: 2.04e12 W absorbed
    {"full_source_quadrature_phases", 1.0, 90, 0.99999999, -90, 30},
    // against each other now, in phase only at the far end of the line
    {"both_almost_full_in_antiphase", 0.999999, 0, 0.999999, 180, 25},
    {"full_source_almost_full_load_at_45", 1.0, 45, 0.9999999, -30, 40},
    // two full reflections in phase: infinite power, nothing absorbed
    {"two_full_reflections", 1.0, 0, 1.0, 0, 20},
};

INSTANTIATE_TEST_SUITE_P(Transmission, NearTotal, ::testing::ValuesIn(kNear), ROW_NAMES(std::string(r.name)));

TEST(Transmission, TheCommandLinesNearTotalExample)
{
    // --source 1@0 --load 0.99999999996@0: what the load takes is finite
    TModel m = testcases::Defaults();
    m.SrcRfl = TRefl{1, 0, 0, 0, 0};
    m.LoaRfl = TRefl{0.99999999996, 0, 0, 0, 0};
    CalcTransmission(m, true);
    EXPECT_NEAR(m.Pload, 5.1e14, 1e-6 * 5.1e14);
    EXPECT_EQ(m.Pinc, kInfinity);
    EXPECT_EQ(m.PreflMax, kInfinity);
}

}  // namespace
}  // namespace merivane
