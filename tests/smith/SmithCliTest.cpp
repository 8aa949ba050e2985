// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc --smith: the chart written where no display exists, its
// options, and the report that carries it.
#include "Calc.h"
#include "PdfText.h"

#include <QFile>
#include <QImage>
#include <QSvgRenderer>
#include <QTemporaryDir>

namespace {

QProcessEnvironment NoDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "xcb");  // a display platform: the program must not use it
    return env;
}

TEST(SmithCli, WritesAValidSvgWithoutADisplay)
{
    QTemporaryDir dir;
    const QString svg = dir.filePath("chart.svg");
    const TRun r = RunCalc({"--smith", svg, "--length", "2", "--span", "10"}, {}, NoDisplay());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("<?xml"));
    EXPECT_TRUE(bytes.contains("<svg"));
    EXPECT_TRUE(QSvgRenderer(bytes).isValid());
    // the circles' labels are texts of the SVG
    EXPECT_TRUE(bytes.contains("SWR 1.5"));
    // the text output is the same as without the chart
    EXPECT_EQ(r.out, RunCalc({"--length", "2", "--span", "10"}).out);
}

TEST(SmithCli, WritesAPngWithTheChosenView)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("chart.png");
    const TRun r = RunCalc({"--smith", png, "--smith-zoom", "0.5", "--smith-grid", "Both", "--smith-swr", "1.2;4"}, {},
                           NoDisplay());
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage image(png);
    EXPECT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), image.height());
}

TEST(SmithCli, RefusesWhatItCannotDraw)
{
    QTemporaryDir dir;
    const QString svg = dir.filePath("chart.svg");
    struct TRow {
        QStringList args;
        const char* named;
    };
    const TRow rows[] = {
        {{"--smith", svg, "--smith-zoom", "0.3"}, "--smith-zoom"},
        {{"--smith", svg, "--smith-grid", "polar"}, "--smith-grid"},
        {{"--smith", svg, "--smith-swr", "0.5"}, "--smith-swr"},
        {{"--smith", dir.filePath("no/folder/c.svg")}, "--smith"},
        {{"--batch", "-", "--smith", svg}, "--smith"},
    };
    for (const TRow& row : rows) {
        const TRun r = RunCalc(row.args, "va\n4000\n");
        EXPECT_EQ(r.status, 2) << row.named;
        EXPECT_NE(r.err.find(row.named), std::string::npos) << r.err;
    }
    EXPECT_FALSE(QFile::exists(svg));
}

TEST(SmithCli, ReportCarriesTheChart)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("case.pdf");
    const TRun r = RunCalc({"--report", pdf, "--smith-swr", "2.5"}, {}, NoDisplay());
    ASSERT_EQ(r.status, 0) << r.err;
    const QStringList pages = PdfPages(PdfToText(pdf));
    ASSERT_EQ(pages.size(), 2);
    // the chart's labels, on the page after the tables
    const QString& text = pages[1];
    EXPECT_TRUE(text.contains("SWR")) << text.toStdString();
    EXPECT_TRUE(text.contains("50 %")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("\u0393s*"))) << text.toStdString();
}

QByteArray SvgOf(const QStringList& args)
{
    QTemporaryDir dir;
    const QString svg = dir.filePath("chart.svg");
    const TRun r = RunCalc(QStringList{"--smith", svg} + args, {}, NoDisplay());
    EXPECT_EQ(r.status, 0) << r.err;
    QFile f(svg);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

TEST(SmithCli, TunerPathWithAMatchMethodAndPullingLegendWithAFigure)
{
    // the tuner's path is drawn in the light palette's tuner colour, rgb(173, 20, 87)
    const QByteArray plain = SvgOf({"--line", "WR340", "--length", "2"});
    EXPECT_FALSE(plain.contains("#ad1457"));
    EXPECT_FALSE(plain.contains("Pulled frequency"));
    const QByteArray matched = SvgOf({"--line", "WR340", "--length", "2", "--match", "single-stub"});
    EXPECT_TRUE(matched.contains("#ad1457"));
    EXPECT_FALSE(matched.contains("Pulled frequency"));
    // f0 = 2450 MHz, PF 10 MHz, SWR 3: the scale runs over 2450 +- 16.0 MHz
    const QByteArray pulled = SvgOf({"--line", "WR340", "--length", "2", "--pulling", "10"});
    EXPECT_TRUE(pulled.contains("Pulled frequency"));
    EXPECT_TRUE(pulled.contains("2434.0"));
    EXPECT_TRUE(pulled.contains("2466.0"));
}

}  // namespace
