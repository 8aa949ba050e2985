// SPDX-License-Identifier: GPL-3.0-or-later
// The Smith chart painted offscreen: where a reflection lands, the palette
// it is painted with, its scene's circles and the image files it writes.
#include "SmithPainter.h"

#include "LineSweep.h"
#include "ModelCases.h"
#include "Transmission.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace merivane::smith {
namespace {

struct TCase {
    TModel m;
    TSweepResult s;
    TCase()
    {
        m = testcases::Defaults();
        CalcTransmission(m, true);
        s = CalcLineSweep(TSweepCase{m, TSweepInputs{}}, 0);
    }
};

TEST(SmithFrame, MapsReflectionsOntoTheChart)
{
    for (double edge : {1.0, 0.5, 0.2}) {
        const TSmithFrame f = SmithFrame(QRectF(0, 0, 800, 600), 12, edge);
        EXPECT_DOUBLE_EQ(f.centre.x(), 400);
        EXPECT_DOUBLE_EQ(f.centre.y(), 300);
        // the edge's |G| lies on the edge's radius, up the chart for +j
        const QPointF top = f.ToDevice(TGamma(0, edge));
        EXPECT_NEAR(top.x(), 400, 1e-9);
        EXPECT_NEAR(300 - top.y(), f.radius, 1e-9);
        const TGamma g(0.13, -0.07);
        EXPECT_NEAR(std::abs(f.ToGamma(f.ToDevice(g)) - g), 0.0, 1e-12);
    }
}

TEST(SmithScene, CirclesFromTheCase)
{
    const TCase c;
    TSmithOptions o;
    o.swrCircles = {1.5, 2};
    o.unit = present::PowerUnit::Dbm;
    const TSmithScene sc = MakeSmithScene(c.m, c.s, o);
    ASSERT_EQ(sc.swr.size(), 2u);
    EXPECT_NEAR(sc.swr[1].circle.radius, 1.0 / 3, 1e-15);
    ASSERT_EQ(sc.power.size(), std::size(kPowerLevels));
    for (const TLabelledCircle& p : sc.power) EXPECT_TRUE(p.label.contains(QStringLiteral("dBm"))) << p.label.toStdString();
    EXPECT_NEAR(sc.loadCircle.radius, 0.5, 0);
    EXPECT_NEAR(std::abs(sc.conjugate - TGamma(0.2, 0)), 0.0, 1e-15);
    EXPECT_TRUE(sc.note.isEmpty());

    o.powerCircles = false;
    EXPECT_TRUE(MakeSmithScene(c.m, c.s, o).power.empty());
}

// The colour at a reflection's place on a chart painted at 600 x 600.
QColor At(const QImage& image, TGamma g, double edge, double em)
{
    const QPointF p = SmithFrame(QRectF(image.rect()), em, edge).ToDevice(g);
    return image.pixelColor(p.toPoint());
}

QImage Painted(const TSmithScene& sc, const TSmithOptions& o, const TSmithPalette& pal, QFont& font)
{
    QImage image(600, 600, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    QPainter p(&image);
    font.setPixelSize(12);
    PaintSmith(p, QRectF(image.rect()), sc, o, pal, font);
    return image;
}

TEST(SmithPaint, LoadLandsWhereItsReflectionMaps)
{
    const TCase c;
    for (const TSmithPalette& pal : {TSmithPalette::Light(), TSmithPalette::Dark()}) {
        for (double edge : {1.0, 0.5}) {
            TSmithOptions o;
            o.edge = edge;
            QFont font;
            const QImage image = Painted(MakeSmithScene(c.m, c.s, o), o, pal, font);
            const double em = QFontMetricsF(font, &image).height();
            EXPECT_EQ(At(image, TGamma(0, 0.5), edge, em), pal.load) << edge;
            EXPECT_EQ(At(image, TGamma(0.2, 0), edge, em), pal.conjugate) << edge;
            // the corner is the palette's background, not left unpainted
            EXPECT_EQ(image.pixelColor(1, 1), pal.background);
        }
    }
}

TEST(SmithPaint, DarkPaletteIsDark)
{
    const TSmithPalette dark = TSmithPalette::Dark(), light = TSmithPalette::Light();
    EXPECT_LT(dark.background.lightnessF(), 0.5);
    EXPECT_GT(dark.text.lightnessF(), 0.5);
    EXPECT_GT(light.background.lightnessF(), 0.5);
    // every accent stands apart from its background
    for (const TSmithPalette& p : {dark, light})
        for (const QColor& accent : {p.load, p.source, p.conjugate, p.locus, p.arc, p.swr, p.power})
            EXPECT_GT(std::fabs(accent.lightnessF() - p.background.lightnessF()), 0.2);
}

TEST(SmithImage, WritesAValidSvgAndPng)
{
    const TCase c;
    const TSmithOptions o;
    const TSmithScene sc = MakeSmithScene(c.m, c.s, o);
    QTemporaryDir dir;
    QString reason;
    const QString svg = dir.filePath(QStringLiteral("chart.SVG")), png = dir.filePath(QStringLiteral("chart.png"));
    ASSERT_TRUE(WriteSmithImage(svg, QSize(640, 480), sc, o, TSmithPalette::Light(), reason)) << reason.toStdString();
    ASSERT_TRUE(WriteSmithImage(png, QSize(640, 480), sc, o, TSmithPalette::Dark(), reason)) << reason.toStdString();
    QSvgRenderer renderer(svg);
    EXPECT_TRUE(renderer.isValid());
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("<svg"));
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(640, 480));
    EXPECT_FALSE(WriteSmithImage(dir.filePath(QStringLiteral("no/such/folder/c.png")), QSize(64, 64), sc, o,
                                 TSmithPalette::Light(), reason));
    EXPECT_FALSE(reason.isEmpty());
}

}  // namespace
}  // namespace merivane::smith
