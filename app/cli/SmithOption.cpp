// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmithOption.h"

#include "Inputs.h"
#include "SmithTexts.h"

#include <QPainter>

#include <cstring>

namespace merivane::cli {

namespace {

// The image's size in pixels: square, large enough for a page or a slide.
constexpr int kImageSide = 1000;

struct TGridName {
    const char* name;
    smith::SmithGrid grid;
};
constexpr TGridName kGrids[] = {{"impedance", smith::SmithGrid::Impedance},
                                {"admittance", smith::SmithGrid::Admittance},
                                {"both", smith::SmithGrid::Both}};

}  // namespace

TSmithOptionNames AddSmithOptions(QCommandLineParser& parser)
{
    const auto option = [&parser](const char* name, const char* text, const char* value) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(text), QString::fromLatin1(value)));
        return QString::fromLatin1(name);
    };
    TSmithOptionNames n;
    n.file = option("smith", "Write the Smith chart of the case as SVG (FILE.svg) or PNG.", "FILE");
    n.grid = option("smith-grid", "Smith chart grid: impedance (default), admittance or both.", "GRID");
    n.zoom = option("smith-zoom", "Smith chart: |G| at the edge, 1 (default), 0.5 or 0.2.", "G");
    n.swr = option("smith-swr", "Smith chart: SWR circles, e.g. \"1.5,2,3\" (the default); \"\" for none.", "LIST");
    return n;
}

bool IsSmithArgument(const char* arg)
{
    return std::strcmp(arg, "--smith") == 0 || std::strncmp(arg, "--smith=", 8) == 0;
}

bool ReadSmithOptions(const QCommandLineParser& parser, const TSmithOptionNames& names, present::PowerUnit unit,
                      smith::TSmithOptions& o, std::string& error)
{
    o.unit = unit;
    if (parser.isSet(names.grid)) {
        const QString text = parser.value(names.grid);
        bool found = false;
        for (const TGridName& g : kGrids) {
            if (text.compare(QLatin1String(g.name), Qt::CaseInsensitive) == 0) {
                o.grid = g.grid;
                found = true;
            }
        }
        if (!found) {
            error = "--smith-grid " + Quoted(text.toStdString()) + ": not one of impedance, admittance, both";
            return false;
        }
    }
    if (parser.isSet(names.zoom)) {
        const QString text = parser.value(names.zoom);
        bool found = false;
        for (double z : present::kSmithZooms) {
            bool ok = false;
            if (text.toDouble(&ok) == z && ok) {
                o.edge = z;
                found = true;
            }
        }
        if (!found) {
            error = "--smith-zoom " + Quoted(text.toStdString()) + ": not one of 1, 0.5, 0.2";
            return false;
        }
    }
    if (parser.isSet(names.swr)) {
        std::string why;
        if (!present::ReadSwrCircles(parser.value(names.swr).toStdString(), o.swrCircles, why)) {
            error = "--smith-swr: " + why;
            return false;
        }
    }
    return true;
}

TSweepCase ChartSweepCase(const TCliCase& c, const present::TSnapshot& s)
{
    TSweepCase sc = s.sweepCase;
    sc.In.LineKnown = c.lineGiven;
    return sc;
}

smith::TSmithScene SmithSceneOf(const TCliCase& c, const present::TSnapshot& s, const smith::TSmithOptions& o)
{
    // the sweep's extremes with the line's loss, as the text output gives them
    const TSweepCase sc = ChartSweepCase(c, s);
    const TSweepResult sweep = sc.In.LineKnown == s.sweepCase.In.LineKnown ? s.sweep : CalcLineSweep(sc, 0);
    smith::TSmithOptions withLoss = o;
    withLoss.npPerM = c.guideGiven ? s.guide.attenuation.NpPerM : 0.0;
    smith::TSmithScene scene = smith::MakeSmithScene(s.m, sweep, withLoss);
    if (c.match) smith::AddTunerPath(scene, s.tuner);
    smith::AddPulledFrequency(scene, s.tube, s.c.line.FreqMHz);
    smith::AddMeasuredLocus(scene, s);
    smith::AddLoadSet(scene, s);
    return scene;
}

bool WriteSmithOption(const QCommandLineParser& parser, const TSmithOptionNames& names,
                      const smith::TSmithScene& scene, const smith::TSmithOptions& o, std::string& error)
{
    if (!parser.isSet(names.file)) return true;
    const QString path = parser.value(names.file);
    QString reason;
    if (!smith::WriteSmithImage(path, QSize(kImageSide, kImageSide), scene, o, smith::TSmithPalette::Light(), reason)) {
        error = "--smith cannot write " + Quoted(path.toStdString()) + ": " + reason.toStdString();
        return false;
    }
    return true;
}

void PaintSmithReportPart(QPainter& p, const QRectF& area, const smith::TSmithScene& scene,
                          const smith::TSmithOptions& o)
{
    smith::PaintSmith(p, area, scene, o, smith::TSmithPalette::Light(), p.font());
}

}  // namespace merivane::cli
