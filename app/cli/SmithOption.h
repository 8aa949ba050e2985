// SPDX-License-Identifier: GPL-3.0-or-later
// merivane-calc's Smith chart: --smith FILE.svg or FILE.png writes the chart
// of the case without a display; --smith-grid, --smith-zoom and --smith-swr
// choose what it shows. The report draws the same chart beside the inputs.
#pragma once

#include "Display.h"
#include "Inputs.h"
#include "MagnetronCase.h"
#include "LineSweep.h"
#include "Model.h"
#include "SmithPainter.h"

#include <QCommandLineParser>

#include <string>

namespace merivane::cli {

// The options' names, as the parser knows them.
struct TSmithOptionNames {
    QString file, grid, zoom, swr;
};
TSmithOptionNames AddSmithOptions(QCommandLineParser& parser);

// Whether an argument asks for the chart: the program then needs Qt Gui.
bool IsSmithArgument(const char* arg);

// The chart's choices from the options given; false with the message in
// error when one is not understood.
bool ReadSmithOptions(const QCommandLineParser& parser, const TSmithOptionNames& names, present::PowerUnit unit,
                      smith::TSmithOptions& o, std::string& error);

// The scene of the case c computed as s: the line as the Line Sweep takes it
// (unknown when no line option was given: the path runs over the phase), a
// spiral with the line's loss, the tuner's path with --match, and the pulled
// frequency as the path's colour when the tube has a pulling figure.
smith::TSmithScene SmithSceneOf(const TCliCase& c, const present::TSnapshot& s, const smith::TSmithOptions& o);

// What the charts sweep: the snapshot's sweep, its line known only when a
// line option (or a case file) gave it; without one the charts run over the
// round-trip phase.
TSweepCase ChartSweepCase(const TCliCase& c, const present::TSnapshot& s);

// Writes --smith's file when it was given; false with the message in error.
bool WriteSmithOption(const QCommandLineParser& parser, const TSmithOptionNames& names,
                      const smith::TSmithScene& scene, const smith::TSmithOptions& o, std::string& error);

// The chart as the report paints it, into the square the report gives, in its font.
void PaintSmithReportPart(QPainter& p, const QRectF& area, const smith::TSmithScene& scene,
                          const smith::TSmithOptions& o);

}  // namespace merivane::cli
