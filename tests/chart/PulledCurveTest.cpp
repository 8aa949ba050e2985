// SPDX-License-Identifier: GPL-3.0-or-later
// The pulled frequency on the sweep chart: a curve on its own axis at the
// right when the magnetron's pulling is known, nothing otherwise.
#include "MagnetronCase.h"
#include "ModelCases.h"
#include "SweepChart.h"
#include "Transmission.h"

#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

namespace present = merivane::present;

// The worked example's load 0.5 at 90 deg on WR340 at 2450 MHz.
merivane::TSweepCase DefaultLoad()
{
    merivane::TSweepCase c;
    c.M = merivane::testcases::Defaults();
    merivane::CalcTransmission(c.M, true);
    return c;
}

present::TTubeResult TubeWithPulling(const merivane::TSweepCase& c, double pullingMHz)
{
    present::TTubeCase t = present::DefaultTubeCase();
    t.magnetron.pullingMHz = pullingMHz;
    return present::ComputeTube(c.M, c.In, t);
}

// The guide wavelength of WR340 (a = 86.36 mm) at 2450 MHz from its closed
// form lg = l0 / sqrt(1 - (l0 / 2a)^2): 173.38 mm.
double Wr340GuideWavelengthMm()
{
    const double l0 = 299792458.0 / 2450e6 * 1000.0;
    const double ratio = l0 / (2 * 86.36);
    return l0 / std::sqrt(1 - ratio * ratio);
}

// The curve's value at x, where the curve has a point there.
std::optional<double> ValueAt(const QLineSeries* s, double x)
{
    for (int i = 0; i < s->count(); ++i)
        if (std::fabs(s->at(i).x() - x) < 1e-9) return s->at(i).y();
    return std::nullopt;
}

// Hand values: Qext = 0.41667 f0 / PF = 102.083 for f0 = 2450 MHz and
// PF = 10 MHz; the shift is -f0 b / (2 Qext), b the load's normalised
// susceptance after the round trip through the added length d.
struct TPulledPoint {
    const char* name;
    double quarterWaves;  // d in lg / 4
    double mhz;
};
const TPulledPoint kPulledPoints[] = {
    // G = 0.5 at 90 deg: y = 0.6 - j0.8, b = -0.8: 2450 + 2450 * 0.8 / 204.167 = 2459.60
    {"at the load", 0.0, 2459.60},
    // lg / 8 turns G by -90 deg to 0.5 at 0 deg: y = 1/3, b = 0, no shift
    {"an eighth of a guide wavelength on", 0.5, 2450.00},
    // lg / 4 turns G by -180 deg to 0.5 at -90 deg: b = +0.8, 2440.40
    {"a quarter guide wavelength on", 1.0, 2440.40},
};

TEST(PulledCurve, FollowsTheResonatorModelAlongTheAddedLength)
{
    TSweepChart chart(true);
    chart.resize(QSizeF(800, 500));
    const merivane::TSweepCase c = DefaultLoad();
    const present::TTubeResult tube = TubeWithPulling(c, 10);
    chart.Show(c, merivane::CalcLineSweep(c), present::PowerUnit::Watts, true, &tube);
    QLineSeries* curve = chart.PulledCurve();
    ASSERT_NE(curve, nullptr);
    EXPECT_TRUE(chart.series().contains(curve));
    const double quarter = Wr340GuideWavelengthMm() / 4;
    for (const TPulledPoint& p : kPulledPoints) {
        SCOPED_TRACE(p.name);
        // the sweep's points fall on whole steps of lg / 1440, these among them
        const std::optional<double> f = ValueAt(curve, p.quarterWaves * quarter);
        ASSERT_TRUE(f.has_value());
        EXPECT_NEAR(*f, p.mhz, 0.005);
    }
    // the range over all phases: +-f0 / (2 Qext) (S^2 - 1) / (2S) = +-12.0 * 4/3 = +-16.00 at S = 3
    double low = INFINITY, high = -INFINITY;
    for (const QPointF& p : curve->points()) low = std::min(low, p.y()), high = std::max(high, p.y());
    EXPECT_NEAR(low, 2450 - 16.00, 0.01);
    EXPECT_NEAR(high, 2450 + 16.00, 0.01);
}

TEST(PulledCurve, TheReadoutGivesThePulledFrequencyWhereItStands)
{
    TSweepChart chart(true);
    chart.resize(QSizeF(800, 500));
    const merivane::TSweepCase c = DefaultLoad();
    const merivane::TSweepResult r = merivane::CalcLineSweep(c);
    const present::TTubeResult tube = TubeWithPulling(c, 10);
    chart.Show(c, r, present::PowerUnit::Watts, true, &tube);
    chart.ShowReadout(Wr340GuideWavelengthMm() / 4);  // two decimals, trailing zeros dropped
    EXPECT_TRUE(chart.ReadoutText().endsWith(QStringLiteral("Pulled frequency 2440.4 MHz")))
        << chart.ReadoutText().toStdString();
    chart.ShowReadout(0);
    EXPECT_TRUE(chart.ReadoutText().endsWith(QStringLiteral("Pulled frequency 2459.6 MHz")));
    // without a pulling figure the readout has no such line
    chart.Show(c, r, present::PowerUnit::Watts, true);
    EXPECT_FALSE(chart.ReadoutText().contains(QStringLiteral("Pulled")));
}

TEST(PulledCurve, HasItsOwnAxisAtTheRightAroundTheCurve)
{
    TSweepChart chart(true);
    chart.resize(QSizeF(800, 500));
    const merivane::TSweepCase c = DefaultLoad();
    const present::TTubeResult tube = TubeWithPulling(c, 10);
    chart.Show(c, merivane::CalcLineSweep(c), present::PowerUnit::Watts, true, &tube);
    QValueAxis* axis = chart.AxisPulled();
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->alignment(), Qt::AlignRight);
    const auto attached = chart.PulledCurve()->attachedAxes();
    EXPECT_TRUE(attached.contains(axis));
    EXPECT_TRUE(attached.contains(chart.AxisX()));
    EXPECT_FALSE(attached.contains(chart.AxisY()));  // not on the power axis
    // round the curve's 2434.00 .. 2466.00, no wider than a few steps beyond
    EXPECT_LE(axis->min(), 2434.00);
    EXPECT_GE(axis->max(), 2466.00);
    EXPECT_LT(axis->max() - axis->min(), 60);
}

TEST(PulledCurve, IsAbsentWithoutAPullingFigure)
{
    TSweepChart chart(true);
    chart.resize(QSizeF(800, 500));
    const merivane::TSweepCase c = DefaultLoad();
    const merivane::TSweepResult r = merivane::CalcLineSweep(c);
    chart.Show(c, r, present::PowerUnit::Watts, true);
    const auto seriesBefore = chart.series().size();
    const auto axesBefore = chart.axes().size();
    EXPECT_EQ(chart.PulledCurve(), nullptr);
    EXPECT_EQ(chart.AxisPulled(), nullptr);

    const present::TTubeResult none = TubeWithPulling(c, 0);  // pulling not set
    chart.Show(c, r, present::PowerUnit::Watts, true, &none);
    EXPECT_EQ(chart.PulledCurve(), nullptr);
    EXPECT_EQ(chart.series().size(), seriesBefore);

    // shown, then taken away again: the chart is as before
    const present::TTubeResult tube = TubeWithPulling(c, 10);
    chart.Show(c, r, present::PowerUnit::Watts, true, &tube);
    EXPECT_EQ(chart.series().size(), seriesBefore + 1);
    EXPECT_EQ(chart.axes().size(), axesBefore + 1);
    chart.Show(c, r, present::PowerUnit::Watts, true, &none);
    EXPECT_EQ(chart.PulledCurve(), nullptr);
    EXPECT_EQ(chart.series().size(), seriesBefore);
    EXPECT_EQ(chart.axes().size(), axesBefore);
    for (QAbstractAxis* a : chart.axes()) EXPECT_NE(a->alignment(), Qt::AlignRight);
}

// Pixels near the pulled curve's purple.
int CountPurple(const QImage& img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor p = img.pixelColor(x, y);
            n += std::abs(p.red() - 128) + std::abs(p.green()) + std::abs(p.blue() - 160) < 40;
        }
    return n;
}

TEST(PulledCurve, IsPrintedWhenTheTubeIsGiven)
{
    const merivane::TSweepCase c = DefaultLoad();
    const auto paint = [&](const present::TTubeResult* tube) {
        QImage img(640, 400, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        PaintSweepChart(p, QRectF(0, 0, 640, 400), c, present::PowerUnit::Watts, true, tube);
        return img;
    };
    const present::TTubeResult tube = TubeWithPulling(c, 10);
    EXPECT_GT(CountPurple(paint(&tube)), 200);
    EXPECT_LT(CountPurple(paint(nullptr)), 20);
}

}  // namespace
