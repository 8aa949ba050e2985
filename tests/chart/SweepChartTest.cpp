// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep chart without a window: its series and bands, and its painting
// into an image.
#include "ModelCases.h"
#include "SweepChart.h"
#include "Transmission.h"

#include <QAreaSeries>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

using Series = merivane::present::SweepSeries;

merivane::TSweepCase WorkedExample(bool ideal)
{
    merivane::TSweepCase c;
    c.M = merivane::testcases::Defaults();
    merivane::CalcTransmission(c.M, ideal);
    return c;
}

// The x range of a band's area.
std::pair<double, double> Span(QAreaSeries* a) { return {a->upperSeries()->at(0).x(), a->upperSeries()->at(1).x()}; }

TEST(SweepChart, ThePullingBandWrapsRoundThePeriod)
{
    TSweepChart chart(true);
    chart.resize(QSizeF(600, 400));
    merivane::TSweepCase c = WorkedExample(true);
    c.In.LengthM = 3;
    c.In.SpanMHz = 5;
    const merivane::TSweepResult r = merivane::CalcLineSweep(c);
    chart.Show(c, r, merivane::present::PowerUnit::Watts, true);
    ASSERT_TRUE(chart.PullingBand(0)->isVisible());
    ASSERT_TRUE(chart.PullingBand(1)->isVisible());
    EXPECT_EQ(Span(chart.PullingBand(0)), std::make_pair(0.0, r.SpanAbove));
    EXPECT_EQ(Span(chart.PullingBand(1)), std::make_pair(r.Period - r.SpanBelow, r.Period));
    // together they cover the spread: 102.09 deg of 360
    EXPECT_NEAR((r.SpanAbove + r.SpanBelow) / r.Period, 102.089253 / 360, 1e-6);
    // the band spans the whole power axis
    EXPECT_EQ(chart.PullingBand(0)->upperSeries()->at(0).y(), chart.AxisY()->max());
    EXPECT_EQ(chart.PullingBand(0)->lowerSeries()->at(0).y(), chart.AxisY()->min());

    c.In.SpanMHz = 20;  // over 360 deg: the whole period
    chart.Show(c, merivane::CalcLineSweep(c), merivane::present::PowerUnit::Watts, true);
    EXPECT_EQ(Span(chart.PullingBand(0)), std::make_pair(0.0, r.Period));
    EXPECT_EQ(chart.PullingBand(1)->upperSeries()->count(), 0);  // emptied, its legend entry never shown

    c.In.SpanMHz = 0;
    chart.Show(c, merivane::CalcLineSweep(c), merivane::present::PowerUnit::Watts, true);
    EXPECT_FALSE(chart.PullingBand(0)->isVisible());
    // one legend entry for the band: the second part's entry never shows
    for (QLegendMarker* m : chart.legend()->markers(chart.PullingBand(1))) EXPECT_FALSE(m->isVisible());
}

TEST(SweepChart, AZeroPowerInDecibelsLiesBelowTheAxis)
{
    TSweepChart chart(false);
    chart.resize(QSizeF(300, 140));  // as on the page
    merivane::TSweepCase c = WorkedExample(true);
    c.M.LoaRfl.Mag = 0;  // matched load: nothing reflected
    merivane::CalcTransmission(c.M, true);
    chart.Show(c, merivane::CalcLineSweep(c), merivane::present::PowerUnit::Dbm, true);
    QLineSeries* reflected = chart.Curve(Series::Reflected);
    ASSERT_GT(reflected->count(), 0);
    EXPECT_LT(reflected->at(0).y(), chart.AxisY()->min());
    // the axis is the absorbed power's, 10 log10(10200 W / 1 mW) = 70.09 dBm
    EXPECT_LT(chart.AxisY()->min(), 70.09);
    EXPECT_GT(chart.AxisY()->max(), 70.09);
    EXPECT_LT(chart.AxisY()->max() - chart.AxisY()->min(), 10);
}

// Pixels near a colour.
int CountNear(const QImage& img, const QColor& c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor p = img.pixelColor(x, y);
            n += std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) + std::abs(p.blue() - c.blue()) < 24;
        }
    return n;
}

TEST(PaintSweepChart, PaintsTheCurvesAndTheBandIntoAnImageWithoutAWindow)
{
    const merivane::TSweepCase c = WorkedExample(false);
    const auto paint = [&](bool ideal) {
        QImage img(640, 400, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        PaintSweepChart(p, QRectF(20, 10, 600, 380), c, merivane::present::PowerUnit::Watts, ideal);
        return img;
    };
    const QImage withBand = paint(false), without = paint(true);
    EXPECT_GT(CountNear(without, QColor(0, 128, 0)), 300);   // the absorbed power
    EXPECT_GT(CountNear(without, QColor(0, 64, 192)), 300);  // the incident power
    // the translucent green of the coupler band over white
    const QColor band(199, 234, 199);
    EXPECT_GT(CountNear(withBand, band), 5000);
    EXPECT_LT(CountNear(without, band), 100);
    // nothing outside the rectangle
    for (int y = 0; y < 400; ++y) EXPECT_EQ(without.pixelColor(5, y), QColor(Qt::white));
}

}  // namespace

namespace {

TEST(SweepChart, TheLegendNamesEachPartOnce)
{
    TSweepChart chart(true);
    chart.resize(QSizeF(800, 500));
    merivane::TSweepCase c = WorkedExample(false);
    c.In.LengthM = 3;
    c.In.SpanMHz = 5;  // a band in two parts
    chart.Show(c, merivane::CalcLineSweep(c), merivane::present::PowerUnit::Watts, false);
    QStringList shown;
    for (QLegendMarker* m : chart.legend()->markers())
        if (m->isVisible()) shown << m->label();
    EXPECT_EQ(shown.join('|').toStdString(),
              "Coupler bounds|Frequency span|Absorbed|Incident|Reflected|Max absorbed|Min absorbed|Present set-up");
}

}  // namespace

namespace {

// A chart of the page's size in a scene of its own, painted into an image.
struct TSceneChart {
    QGraphicsScene scene;
    TSweepChart* chart = new TSweepChart(false);
    TSceneChart()
    {
        scene.addItem(chart);  // the scene owns it
        chart->setGeometry(QRectF(0, 0, 420, 260));
        scene.setSceneRect(QRectF(0, 0, 420, 260));
    }
    void Show(const merivane::TSweepCase& c)
    {
        chart->Show(c, merivane::CalcLineSweep(c), merivane::present::PowerUnit::Watts, false);
        chart->layout()->activate();
    }
    QImage Paint()
    {
        QImage img(420, 260, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        scene.render(&p, QRectF(0, 0, 420, 260), scene.sceneRect());
        return img;
    }
};

int Differing(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

struct TLineChange {
    const char* name;
    merivane::LineType from, to;
    double fromMHz, toMHz;
};

class BandFollows : public ::testing::TestWithParam<TLineChange> {};

// The coupler band drawn after a change of line or frequency is the band a
// chart showing only the new case draws.
TEST_P(BandFollows, TheCurvesAfterAChangeOfLine)
{
    const TLineChange& t = GetParam();
    merivane::TSweepCase before = WorkedExample(false), after = WorkedExample(false);
    before.In.Line = t.from;
    before.In.FreqMHz = t.fromMHz;
    after.In.Line = t.to;
    after.In.FreqMHz = t.toMHz;

    TSceneChart changed, fresh;
    changed.Show(before);
    const QImage old = changed.Paint();
    changed.Show(after);
    fresh.Show(after);
    const QImage now = changed.Paint(), wanted = fresh.Paint();
    ASSERT_GT(Differing(old, wanted), 1000) << "the two cases must look different";
    // the band lies where the fresh chart draws it
    const QColor band(199, 234, 199);
    EXPECT_EQ(CountNear(now, band), CountNear(wanted, band));
    EXPECT_EQ(Differing(now, wanted), 0);
}

INSTANTIATE_TEST_SUITE_P(
    SweepChart, BandFollows,
    ::testing::Values(TLineChange{"WR340_to_WR430", merivane::LineType::WR340, merivane::LineType::WR430, 2450, 2450},
                      TLineChange{"WR430_to_WR340", merivane::LineType::WR430, merivane::LineType::WR340, 2450, 2450},
                      TLineChange{"2450_to_2200_MHz", merivane::LineType::WR340, merivane::LineType::WR340, 2450, 2200}),
    [](const ::testing::TestParamInfo<TLineChange>& i) { return std::string(i.param.name); });

}  // namespace

namespace {

struct TAxisCase {
    const char* name;
    merivane::present::PowerUnit unit;
    double loaMag;
    int va;                 // anode voltage, V: sets the power level
    bool ideal;
    double lowest, highest;  // the axis must start at or above lowest, and below highest
};

class PowerAxisRange : public ::testing::TestWithParam<TAxisCase> {};

TEST_P(PowerAxisRange, StartsAtZeroInWattsAndFitsTheDataInDecibels)
{
    const TAxisCase& t = GetParam();
    TSweepChart chart(false);
    chart.resize(QSizeF(300, 140));
    merivane::TSweepCase c = WorkedExample(t.ideal);
    c.M.LoaRfl.Mag = t.loaMag;
    c.M.Va = t.va;
    merivane::CalcTransmission(c.M, t.ideal);
    chart.Show(c, merivane::CalcLineSweep(c), t.unit, t.ideal);
    EXPECT_GE(chart.AxisY()->min(), t.lowest);
    EXPECT_LT(chart.AxisY()->min(), t.highest);
}

using merivane::present::PowerUnit;
INSTANTIATE_TEST_SUITE_P(
    SweepChart, PowerAxisRange,
    ::testing::Values(
        // a matched load reflects 0 W: the axis starts at 0, not a step below
        TAxisCase{"matched_load_in_watts", PowerUnit::Watts, 0.0, 4000, true, 0.0, 1e-9},
        // a small reflection: the reflected curve runs near 0 W
        TAxisCase{"small_reflection_in_watts", PowerUnit::Watts, 0.05, 4000, true, 0.0, 1e-9},
        // 10 V: Pmatch = 10 * 3 * 0.85 = 25.5 W = 14.07 dBW, reflected 25 % of it
        // (about 8 dBW at its lowest): the dB axis fits the data, far from 0
        TAxisCase{"decibels_fit_the_data", PowerUnit::DbW, 0.5, 10, true, 2.0, 10.0},
        // 1 V: 2.55 W = 4.07 dBW, reflected around -2 dBW: the axis runs below 0 dBW
        TAxisCase{"decibels_below_zero", PowerUnit::DbW, 0.5, 1, true, -10.0, 0.0},
        // a coupler bound below 0 W (|Gl| = 0.95 with a 20 dB coupler) keeps the axis below 0
        TAxisCase{"negative_coupler_bound", PowerUnit::Watts, 0.95, 4000, false, -1e9, 0.0}),
    [](const ::testing::TestParamInfo<TAxisCase>& i) { return std::string(i.param.name); });

}  // namespace

namespace {

// A printed chart keeps no legend entry for what it does not show: a hidden
// entry would leave an empty slot in the legend.
TEST(SweepChart, APrintedChartsLegendHasAnEntryForEachThingShownOnly)
{
    for (const bool ideal : {true, false}) {
        TSweepChart chart(true);
        chart.resize(QSizeF(600, 400));
        merivane::TSweepCase c = WorkedExample(ideal);
        chart.Show(c, merivane::CalcLineSweep(c), merivane::present::PowerUnit::Watts, ideal);  // no pulling band
        chart.LeaveOutHidden();
        int entries = 0;
        for (QLegendMarker* m : chart.legend()->markers()) {
            EXPECT_TRUE(m->isVisible()) << m->label().toStdString();
            ++entries;
        }
        // absorbed, incident, reflected, max and min absorbed, the present
        // set-up, and the coupler band with a real coupler
        EXPECT_EQ(entries, ideal ? 6 : 7);
    }
}

}  // namespace
