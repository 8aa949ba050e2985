// SPDX-License-Identifier: GPL-3.0-or-later
// What the Smith chart shows of the rest of the case: the tuner's path of
// the chosen solution, the spiral of a lossy line, the pulled frequency as
// the path's colour, and the colour scale itself.
#include "SmithPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace merivane::smith {
namespace {

// The WCAG contrast ratio of two colours: (L1 + 0.05) / (L2 + 0.05) of
// their relative luminances L = 0.2126 R + 0.7152 G + 0.0722 B (linear sRGB).
double Contrast(const QColor& a, const QColor& b)
{
    const auto lin = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const auto lum = [&](const QColor& c) {
        return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
    };
    const double la = lum(a), lb = lum(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct TColourCase {
    const char* name;
    double fMHz;
    QColor TSmithPalette::*expected;
};

TEST(PulledColour, EndsAndMiddleOfTheScale)
{
    // f0 = 2450 MHz, span 16 MHz: 2434 is the low end, 2466 the high end
    const TColourCase cases[] = {
        {"low end", 2434.0, &TSmithPalette::pullLow},     {"middle", 2450.0, &TSmithPalette::pullMid},
        {"high end", 2466.0, &TSmithPalette::pullHigh},   {"below the scale", 2400.0, &TSmithPalette::pullLow},
        {"above the scale", 2500.0, &TSmithPalette::pullHigh},
    };
    for (const TSmithPalette& pal : {TSmithPalette::Light(), TSmithPalette::Dark()})
        for (const TColourCase& c : cases)
            EXPECT_EQ(PulledColour(pal, c.fMHz, 2450.0, 16.0), pal.*c.expected) << c.name;
}

TEST(PulledColour, HalfwayBetweenStopsMixesThem)
{
    const TSmithPalette pal = TSmithPalette::Light();
    // a quarter of the way up: half of pullLow, half of pullMid
    const QColor q = PulledColour(pal, 2442.0, 2450.0, 16.0);
    EXPECT_NEAR(q.red(), (pal.pullLow.red() + pal.pullMid.red()) / 2.0, 0.51);
    EXPECT_NEAR(q.green(), (pal.pullLow.green() + pal.pullMid.green()) / 2.0, 0.51);
    EXPECT_NEAR(q.blue(), (pal.pullLow.blue() + pal.pullMid.blue()) / 2.0, 0.51);
    // no span: the middle colour
    EXPECT_EQ(PulledColour(pal, 2442.0, 2450.0, 0.0), pal.pullMid);
}

TEST(PulledColour, ScaleAndTunerReadOnEitherTheme)
{
    for (const TSmithPalette& pal : {TSmithPalette::Light(), TSmithPalette::Dark()}) {
        for (const QColor& c : {pal.pullLow, pal.pullMid, pal.pullHigh, pal.tuner})
            EXPECT_GE(Contrast(c, pal.background), 3.0) << c.name().toStdString();
        // the ends tell apart from each other
        EXPECT_GE(Contrast(pal.pullLow, pal.pullHigh) + std::abs(pal.pullLow.hueF() - pal.pullHigh.hueF()), 1.3);
    }
}

present::TSnapshot Snapshot(double pullingMHz, LossSource loss = LossSource::None)
{
    present::TCase c = present::DefaultCase();
    c.inputs.LoaRfl.Mag = 0.5;
    c.inputs.LoaRfl.Pha = 90.0;
    c.line.FreqMHz = 2450.0;
    c.line.Line = LineType::WR340;
    c.line.LengthM = 2.0;
    c.tube.magnetron.pullingMHz = pullingMHz;
    c.guide.loss = loss;
    c.guide.lossDbPerM = 0.5;
    return present::ComputeCase(c, 0);
}

TEST(SmithSceneOfCase, PulledFrequencyAlongThePath)
{
    // f0 = 2450 MHz, PF = 10 MHz: Qext = 0.41667 f0 / PF = 102.083. The load
    // 0.5 at 90 deg has y = -j0.8, b = -0.8: df = -f0 b / (2 Qext) = +9.60 MHz.
    // Over all phases at SWR 3: +-f0 / (2 Qext) (S^2 - 1) / (2S) = +-16.00 MHz.
    const TSmithScene sc = MakeSmithScene(Snapshot(10.0), TSmithOptions{});
    ASSERT_EQ(sc.pulledMHz.size(), sc.locus.points.size());
    EXPECT_NEAR(sc.pullF0MHz, 2450.0, 1e-12);
    EXPECT_NEAR(sc.pullSpanMHz, 16.0, 0.005);
    EXPECT_NEAR(sc.pulledMHz.front(), 2450.0 + 9.60, 0.005);
    // half a period on (180 deg of round trip) the load is -G: b = +0.8, df = -9.60 MHz
    EXPECT_NEAR(sc.pulledMHz[sc.pulledMHz.size() / 2], 2450.0 - 9.60, 0.005);
    for (double f : sc.pulledMHz) {
        EXPECT_GE(f, 2450.0 - 16.0 - 1e-9);
        EXPECT_LE(f, 2450.0 + 16.0 + 1e-9);
    }
    EXPECT_TRUE(MakeSmithScene(Snapshot(0.0), TSmithOptions{}).pulledMHz.empty()) << "no pulling figure, no colour";
}

TEST(SmithSceneOfCase, TunerPathOfTheChosenSolution)
{
    present::TSnapshot s = Snapshot(0.0);
    ASSERT_TRUE(s.tuner.match.Matchable);
    const TSmithScene sc = MakeSmithScene(s, TSmithOptions{});
    ASSERT_TRUE(sc.tuner.defined);
    EXPECT_LT(std::abs(sc.tuner.segments.front().points.front() - sc.load), 1e-12);
    EXPECT_LT(std::abs(sc.tuner.end), 1e-9);
    // |Gl| = 1: nothing to draw
    s.tuner.match.Matchable = false;
    EXPECT_FALSE(MakeSmithScene(s, TSmithOptions{}).tuner.defined);
}

TEST(SmithSceneOfCase, LossyLineMakesTheSpiral)
{
    const present::TSnapshot lossy = Snapshot(0.0, LossSource::Entered);
    ASSERT_GT(lossy.guide.attenuation.NpPerM, 0.0);
    const TSmithScene sc = MakeSmithScene(lossy, TSmithOptions{});
    EXPECT_DOUBLE_EQ(sc.locus.npPerM, lossy.guide.attenuation.NpPerM);
    EXPECT_LT(std::abs(sc.locus.points.back()), std::abs(sc.locus.points.front()));
    EXPECT_EQ(MakeSmithScene(Snapshot(0.0), TSmithOptions{}).locus.npPerM, 0.0);
}

QImage Painted(const TSmithScene& sc)
{
    QImage image(400, 400, QImage::Format_ARGB32);
    QPainter p(&image);
    PaintSmith(p, QRectF(0, 0, 400, 400), sc, TSmithOptions{}, TSmithPalette::Light(), QFont());
    return image;
}

TEST(SmithSceneOfCase, PathAndColourArePainted)
{
    const TSmithScene full = MakeSmithScene(Snapshot(10.0), TSmithOptions{});
    TSmithScene bare = full;
    bare.tuner = {};
    bare.pulledMHz.clear();
    TSmithScene pathOnly = bare;
    pathOnly.tuner = full.tuner;
    EXPECT_NE(Painted(bare), Painted(pathOnly));
    EXPECT_NE(Painted(pathOnly), Painted(full));
}

}  // namespace
}  // namespace merivane::smith

namespace {

// A measured load over 2400 .. 2500 MHz in 2.5 MHz steps, the line at 2450:
// without a pulling figure the locus is the band of +-50 MHz, every point at
// the analyser's plane (no shift), its ends and middle named.
TEST(SmithMeasured, TheLocusIsThePointsWithinTheBandNamedAtTheEnds)
{
    merivane::present::TCase c = merivane::present::DefaultCase();
    merivane::TMeasuredLoad l;
    for (int k = 0; k <= 60; ++k) {
        l.freqHz.push_back((2400 + 2.5 * k) * 1e6);
        l.gamma.push_back(std::polar(0.3, 0.1 * k));
    }
    c.measured = l;
    const merivane::present::TSnapshot s = merivane::present::ComputeCase(c, 0);
    merivane::smith::TSmithScene sc;
    merivane::smith::AddMeasuredLocus(sc, s);
    ASSERT_EQ(sc.measured.size(), 41u);  // 2400 .. 2500 MHz; 2502.5 .. 2550 lie beyond the band
    EXPECT_EQ(sc.measured.front(), l.gamma.front());
    EXPECT_EQ(sc.measured.back(), l.gamma[40]);
    ASSERT_EQ(sc.measuredLabels.size(), 3u);
    EXPECT_EQ(sc.measuredLabels.front().second, QStringLiteral("2400 MHz"));
    EXPECT_EQ(sc.measuredLabels.back().second, QStringLiteral("2500 MHz"));
    // no measurement, no locus
    merivane::smith::TSmithScene none;
    merivane::smith::AddMeasuredLocus(none, merivane::present::ComputeCase(merivane::present::DefaultCase(), 0));
    EXPECT_TRUE(none.measured.empty());
}

// The thawing set: three typed loads and a measured one between them. The
// chart joins them in process order, each named once; the measured load's
// points are those within the band, under its one name.
TEST(SmithLoadSet, TheLoadsAreJoinedInOrderEachNamedOnce)
{
    using merivane::present::TSetLoad;
    merivane::present::TCase c = merivane::present::DefaultCase();
    merivane::TMeasuredLoad m;
    for (int k = 0; k <= 4; ++k) {  // 2440 .. 2460 MHz, all within the band of +-50 MHz
        m.freqHz.push_back((2440 + 5.0 * k) * 1e6);
        m.gamma.push_back(std::polar(0.45, -2.5 - 0.01 * k));
    }
    TSetLoad frozen{"frozen", {}, std::nullopt}, thawing{"-5 °C", {}, m}, thawed{"thawed", {}, std::nullopt};
    frozen.refl.Mag = 0.3, frozen.refl.Pha = -120;
    thawed.refl.Mag = 0.55, thawed.refl.Pha = 170;
    c.loadSet = {frozen, thawing, thawed};
    const merivane::present::TSnapshot s = merivane::present::ComputeCase(c, 0);
    merivane::smith::TSmithScene sc;
    merivane::smith::AddLoadSet(sc, s);
    ASSERT_EQ(sc.setLoads.size(), 7u);  // 1 + 5 + 1
    const double rad = std::numbers::pi / 180;
    EXPECT_NEAR(std::abs(sc.setLoads.front() - std::polar(0.3, -120 * rad)), 0.0, 1e-12);
    EXPECT_NEAR(std::abs(sc.setLoads[1] - m.gamma.front()), 0.0, 1e-12);
    EXPECT_NEAR(std::abs(sc.setLoads.back() - std::polar(0.55, 170 * rad)), 0.0, 1e-12);
    ASSERT_EQ(sc.setLabels.size(), 3u);
    EXPECT_EQ(sc.setLabels[0], std::make_pair(std::size_t{0}, QStringLiteral("frozen")));
    EXPECT_EQ(sc.setLabels[1], std::make_pair(std::size_t{1}, QStringLiteral("-5 °C")));
    EXPECT_EQ(sc.setLabels[2], std::make_pair(std::size_t{6}, QStringLiteral("thawed")));
    // no set, nothing drawn
    merivane::smith::TSmithScene none;
    merivane::smith::AddLoadSet(none, merivane::present::ComputeCase(merivane::present::DefaultCase(), 0));
    EXPECT_TRUE(none.setLoads.empty());
}

}  // namespace
