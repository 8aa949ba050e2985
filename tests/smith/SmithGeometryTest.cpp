// SPDX-License-Identifier: GPL-3.0-or-later
// The Smith chart's geometry against closed forms: circles of constant
// absorbed power and of constant SWR, the path of the load over the added
// line, the Line Sweep's extremes on it, the pulling arc and the reading of
// a point.
#include "LineSweep.h"
#include "ModelCases.h"
#include "Smith.h"
#include "Transmission.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace merivane::smith {
namespace {

constexpr double kPi = std::numbers::pi;

TModel Computed(double src, double srcPha, double loa, double loaPha)
{
    TModel m = testcases::Defaults();
    m.SrcRfl.Mag = src;
    m.SrcRfl.Pha = srcPha;
    m.LoaRfl.Mag = loa;
    m.LoaRfl.Pha = loaPha;
    CalcTransmission(m, true);
    return m;
}

struct TSourceCase {
    const char* name;
    double mag, phaDeg;
};
constexpr TSourceCase kSources[] = {
    {"matched", 0.0, 0.0}, {"small", 0.2, 0.0}, {"inductive", 0.5, 60.0}, {"large", 0.9, -135.0}};

TEST(PowerCircle, EveryPointTakesItsLevel)
{
    for (const TSourceCase& s : kSources) {
        const TGamma gs = std::polar(s.mag, s.phaDeg * kPi / 180);
        for (double level : kPowerLevels) {
            const TCircle c = PowerCircle(gs, level);
            ASSERT_TRUE(c.defined) << s.name << " " << level;
            for (int i = 0; i < 72; ++i) {
                const TGamma gl = c.centre + std::polar(c.radius, 2 * kPi * i / 72);
                EXPECT_NEAR(TransducerGain(gs, gl), level, 1e-12) << s.name << " " << level << " at " << i * 5 << " deg";
            }
        }
    }
}

TEST(PowerCircle, MatchedSourceGivesCentredCircles)
{
    // Gs = 0: Gt = 1 - |Gl|^2, so the level L lies on |Gl| = sqrt(1 - L)
    const TCircle c = PowerCircle(0.0, 0.75);
    EXPECT_NEAR(std::abs(c.centre), 0.0, 1e-15);
    EXPECT_NEAR(c.radius, 0.5, 1e-15);
}

TEST(PowerCircle, FullPowerIsTheConjugatePoint)
{
    const TGamma gs = std::polar(0.4, 0.7);
    const TCircle c = PowerCircle(gs, 1.0);
    ASSERT_TRUE(c.defined);
    EXPECT_NEAR(c.radius, 0.0, 1e-7);
    EXPECT_NEAR(std::abs(c.centre - std::conj(gs)), 0.0, 1e-15);
}

TEST(PowerCircle, UndefinedOutsideItsRange)
{
    EXPECT_FALSE(PowerCircle(1.0, 0.5).defined);  // a fully reflecting source has no available power to share
    EXPECT_FALSE(PowerCircle(0.2, 0.0).defined);
    EXPECT_FALSE(PowerCircle(0.2, 1.2).defined);
}

TEST(VswrCircle, RadiusFromTheSwr)
{
    struct TRow {
        double swr, radius;
    };
    for (const TRow r : {TRow{1.0, 0.0}, TRow{1.5, 0.2}, TRow{2.0, 1.0 / 3}, TRow{3.0, 0.5}}) {
        const TCircle c = VswrCircle(r.swr);
        ASSERT_TRUE(c.defined);
        EXPECT_NEAR(c.radius, r.radius, 1e-15) << r.swr;
    }
    EXPECT_FALSE(VswrCircle(0.5).defined);
}

TEST(Locus, PointsFollowTheTurnOfTheLine)
{
    // WR340 at 2450 MHz: an eighth of lg turns the round trip by 90 deg
    const TModel m = Computed(0.2, 0, 0.5, 90);
    const TSweepResult s = CalcLineSweep(TSweepCase{m, TSweepInputs{}}, 0);
    ASSERT_TRUE(s.OverLength);
    const double lg = s.Guide.wavelengthMm;
    const TLocus l = CalcLocus(m.LoaRfl, s, 360);
    ASSERT_EQ(l.points.size(), 361u);
    EXPECT_NEAR(l.period, lg / 2, 1e-12);
    for (std::size_t i = 0; i < l.points.size(); i += 15) {
        // Gl e^(-j 4 pi d / lg)
        const TGamma expected = std::polar(0.5, kPi / 2) * std::exp(TGamma(0, -4 * kPi * l.x[i] / lg));
        EXPECT_NEAR(std::abs(l.points[i] - expected), 0.0, 1e-12) << "x = " << l.x[i];
    }
    // lg / 8: 0.5 at 90 deg turned clockwise by 90 deg lies at 0 deg
    const TGamma eighth = LocusPoint(l.present, true, l.xPerDeg, lg / 8);
    EXPECT_NEAR(eighth.real(), 0.5, 1e-12);
    EXPECT_NEAR(eighth.imag(), 0.0, 1e-12);
}

TEST(Locus, LossMakesASpiral)
{
    const TModel m = Computed(0.2, 0, 0.5, 90);
    const TSweepResult s = CalcLineSweep(TSweepCase{m, TSweepInputs{}}, 0);
    const double alpha = 2.0;  // Np/m
    const TLocus l = CalcLocus(m.LoaRfl, s, 100, alpha);
    for (std::size_t i = 0; i < l.points.size(); ++i)
        EXPECT_NEAR(std::abs(l.points[i]), 0.5 * std::exp(-2 * alpha * l.x[i] / 1000), 1e-12);
    EXPECT_LT(std::abs(l.points.back()), std::abs(l.points.front()));
}

TEST(Locus, BelowCutoffRunsOverTheRoundTripPhase)
{
    const TModel m = Computed(0.2, 0, 0.5, 90);
    TSweepInputs in;
    in.FreqMHz = 1000;  // WR340 cuts off at 1736 MHz
    const TSweepResult s = CalcLineSweep(TSweepCase{m, in}, 0);
    ASSERT_FALSE(s.OverLength);
    const TLocus l = CalcLocus(m.LoaRfl, s, 4, 5.0);
    EXPECT_DOUBLE_EQ(l.period, 360);
    // 90 deg of round trip: clockwise by 90 deg, and no loss without a length
    EXPECT_NEAR(std::abs(l.points[1] - TGamma(0.5, 0)), 0.0, 1e-12);
    EXPECT_NEAR(std::abs(l.points[2] - TGamma(0, -0.5)), 0.0, 1e-12);
}

TEST(Locus, ExtremesAreTheLineSweeps)
{
    for (const TSourceCase& src : kSources) {
        if (src.mag == 0) continue;  // every length gives the same power
        const TModel m = Computed(src.mag, src.phaDeg, 0.6, -30);
        const TSweepResult s = CalcLineSweep(TSweepCase{m, TSweepInputs{}}, 0);
        const TLocus l = CalcLocus(m.LoaRfl, s);
        ASSERT_TRUE(l.adviceDefined);
        EXPECT_NEAR(AbsorbedAt(m, l.atMax), s.AtMax.Pload, 1e-9 * s.AtMax.Pload) << src.name;
        EXPECT_NEAR(AbsorbedAt(m, l.atMin), s.AtMin.Pload, 1e-9 * s.AtMin.Pload) << src.name;
        EXPECT_NEAR(AbsorbedAt(m, l.present), m.Pload, 1e-9 * m.Pload) << src.name;
        // the maximum has Gs Gl in phase, the minimum in opposition
        const TGamma gs = ToGamma(m.SrcRfl);
        EXPECT_NEAR(std::arg(gs * l.atMax), 0.0, 1e-9) << src.name;
        EXPECT_NEAR(std::fabs(std::arg(gs * l.atMin)), kPi, 1e-9) << src.name;
        // reading the maximum's point names the length the Line Sweep advises
        const TPointReading r = ReadPoint(l.atMax, m, l);
        ASSERT_TRUE(r.onLocus);
        EXPECT_NEAR(r.addX, s.AddForMax, 1e-9) << src.name;
    }
}

TEST(Locus, PullingArcSpansTheSweepsBand)
{
    const TModel m = Computed(0.2, 0, 0.5, 90);
    TSweepInputs in;
    in.LengthM = 2.0;
    in.SpanMHz = 10.0;
    const TSweepResult s = CalcLineSweep(TSweepCase{m, in}, 0);
    ASSERT_TRUE(s.SpreadDefined);
    ASSERT_FALSE(s.PhaseRandom);
    const TLocus l = CalcLocus(m.LoaRfl, s, 50);
    ASSERT_TRUE(l.arcDefined);
    EXPECT_FALSE(l.arcFullTurn);
    // the arc's ends are the load turned by the round-trip phase change of
    // 2 L (1/lg(f +- df) - 1/lg(f))
    const double l0 = 2000.0 * 720.0;
    const double above = l0 * (InverseGuideWavelength(in, 2460) - InverseGuideWavelength(in, 2450));
    const double below = l0 * (InverseGuideWavelength(in, 2450) - InverseGuideWavelength(in, 2440));
    const TGamma gl = ToGamma(m.LoaRfl);
    EXPECT_NEAR(std::abs(l.arc.back() - gl * std::polar(1.0, -above * kPi / 180)), 0.0, 1e-9);
    EXPECT_NEAR(std::abs(l.arc.front() - gl * std::polar(1.0, below * kPi / 180)), 0.0, 1e-9);

    in.LengthM = 20.0;
    in.SpanMHz = 20.0;
    const TLocus wide = CalcLocus(m.LoaRfl, CalcLineSweep(TSweepCase{m, in}, 0), 50);
    EXPECT_TRUE(wide.arcFullTurn);

    in.SpanMHz = 0;
    EXPECT_FALSE(CalcLocus(m.LoaRfl, CalcLineSweep(TSweepCase{m, in}, 0), 50).arcDefined);
}

TEST(ReadPoint, ImpedanceAndAdmittanceFromTheReflection)
{
    const TModel m = Computed(0.2, 0, 0.5, 90);
    const TLocus l = CalcLocus(m.LoaRfl, CalcLineSweep(TSweepCase{m, TSweepInputs{}}, 0));
    struct TRow {
        const char* name;
        TGamma g;
        std::complex<double> z;
    };
    // z = (1 + G) / (1 - G), worked by hand
    const TRow rows[] = {
        {"centre", 0.0, 1.0},
        {"third", 1.0 / 3, 2.0},
        {"minus third", -1.0 / 3, 0.5},
        {"top of the rim", TGamma(0, 1), TGamma(0, 1)},
        {"0.5 at 90 deg", TGamma(0, 0.5), TGamma(0.6, 0.8)},
    };
    for (const TRow& r : rows) {
        const TPointReading p = ReadPoint(r.g, m, l);
        ASSERT_TRUE(p.zFinite && p.yFinite) << r.name;
        EXPECT_NEAR(std::abs(p.z - r.z), 0.0, 1e-12) << r.name;
        EXPECT_NEAR(std::abs(p.y - 1.0 / r.z), 0.0, 1e-12) << r.name;
    }
    EXPECT_FALSE(ReadPoint(1.0, m, l).zFinite);
    EXPECT_FALSE(ReadPoint(-1.0, m, l).yFinite);
}

TEST(ReadPoint, MagnitudeFigures)
{
    const TModel m = Computed(0.2, 0, 0.5, 90);
    const TLocus l = CalcLocus(m.LoaRfl, CalcLineSweep(TSweepCase{m, TSweepInputs{}}, 0));
    const TPointReading p = ReadPoint(std::polar(0.5, -kPi / 4), m, l);
    EXPECT_NEAR(p.mag, 0.5, 1e-15);
    EXPECT_NEAR(p.phaDeg, -45, 1e-12);
    EXPECT_NEAR(p.returnLossDb, 6.0206, 1e-4);
    EXPECT_NEAR(p.swr, 3.0, 1e-12);
    // on the load's circle 135 deg clockwise of 90 deg: 3/8 of the period
    ASSERT_TRUE(p.onLocus);
    EXPECT_NEAR(p.addX, l.period * 135 / 360, 1e-9);
    EXPECT_FALSE(ReadPoint(0.3, m, l).onLocus);
    // the source's conjugate takes all the available power
    EXPECT_NEAR(ReadPoint(0.2, m, l).absorbedW, m.Pav, 1e-9 * m.Pav);
}

// WR340 at 2450 MHz: lg = l0 / sqrt(1 - (l0 / 2a)^2), l0 = c / f = 122.36 mm, a = 86.36 mm
double Wr340GuideWavelengthMm()
{
    const double l0 = 299.792458 / 2450 * 1000, a = 86.36;
    return l0 / std::sqrt(1.0 - (l0 / (2 * a)) * (l0 / (2 * a)));
}

TEST(Locus, LossySpiralAgainstTheClosedForm)
{
    const TModel m = Computed(0.2, 0, 0.5, 90);
    const double lg = Wr340GuideWavelengthMm();
    const double alpha = 0.5 * std::log(10.0) / 20;  // 0.5 dB/m in Np/m
    const TGamma gl = std::polar(0.5, kPi / 2);
    TSweepInputs in;
    in.LengthM = 3.0;
    const double pass = std::exp(-2 * alpha * in.LengthM);
    const TSweepResult s = CalcLineSweep(TSweepCase{m, in, pass}, 0);
    ASSERT_TRUE(s.OverLength);
    const TLocus l = CalcLocus(m.LoaRfl, s, 90, alpha);
    // G(d) = Gl e^(-2 alpha d) e^(-j 4 pi d / lg), d in m for alpha, mm for lg
    const auto closed = [&](double dMm) {
        return gl * std::exp(-2 * alpha * dMm / 1000) * std::polar(1.0, -4 * kPi * dMm / lg);
    };
    EXPECT_NEAR(l.period, lg / 2, 1e-9);
    for (std::size_t i = 0; i < l.points.size(); ++i) EXPECT_LT(std::abs(l.points[i] - closed(l.x[i])), 1e-12) << i;
    // the marks of the lossy sweep's extremes lie on the spiral too
    ASSERT_TRUE(l.adviceDefined);
    EXPECT_LT(std::abs(l.atMax - closed(s.AddForMax)), 1e-12);
    EXPECT_LT(std::abs(l.atMin - closed(s.AddForMin)), 1e-12);
}

struct TSpiralReadCase {
    const char* name;
    double dMm;       // where on the spiral
    double magScale;  // the point's magnitude over the spiral's there
    bool onLocus;
};

TEST(ReadPoint, AddTheLengthThatReachesThePointOnTheSpiral)
{
    const TModel m = Computed(0.2, 0, 0.5, 90);
    const double lg = Wr340GuideWavelengthMm();
    const double alpha = 2.0;  // Np/m: at 40 mm the spiral is e^(-0.16) = 0.852 of |Gl|
    const TLocus l = CalcLocus(m.LoaRfl, CalcLineSweep(TSweepCase{m, TSweepInputs{}}, 0), 90, alpha);
    const TSpiralReadCase cases[] = {
        {"on the spiral at 10 mm", 10.0, 1.0, true},
        {"on the spiral at 40 mm", 40.0, 1.0, true},
        {"on the spiral near the period's end", 80.0, 1.0, true},
        // at 40 mm the lossless circle lies 0.074 off the spiral: not on it
        {"the lossless circle at 40 mm", 40.0, std::exp(2 * alpha * 0.040), false},
    };
    for (const TSpiralReadCase& c : cases) {
        const double mag = 0.5 * std::exp(-2 * alpha * c.dMm / 1000) * c.magScale;
        const TGamma g = std::polar(mag, kPi / 2 - 4 * kPi * c.dMm / lg);
        const TPointReading p = ReadPoint(g, m, l);
        EXPECT_EQ(p.onLocus, c.onLocus) << c.name;
        if (c.onLocus) {
            EXPECT_NEAR(p.addX, c.dMm, 1e-9) << c.name;
        }
    }
}

}  // namespace
}  // namespace merivane::smith
