// SPDX-License-Identifier: GPL-3.0-or-later
// The Smith chart drawn with QPainter into any device: a widget, an image, an
// SVG file, the PDF report. The scene (what is drawn) is computed once from a
// case; painting only maps it onto the rectangle it is given. Colours come
// from a palette passed in, sizes from the font, so that the chart reads in a
// dark theme and at any scale.
#pragma once

#include "CaseModel.h"
#include "Display.h"
#include "LineSweep.h"
#include "Model.h"
#include "Smith.h"
#include "SmithPath.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace merivane::smith {

enum class SmithGrid { Impedance, Admittance, Both };

// The choices of the chart's user.
struct TSmithOptions {
    SmithGrid grid = SmithGrid::Impedance;
    double edge = 1.0;  // the |G| at the chart's edge: 1, 0.5, 0.2
    std::vector<double> swrCircles{1.5, 2.0, 3.0};
    present::PowerUnit unit = present::PowerUnit::Watts;
    double npPerM = 0.0;  // the line's attenuation: the path becomes a spiral
    bool powerCircles = true;
};

struct TSmithPalette {
    QColor background, text, grid, gridLabel, rim;
    QColor load, source, conjugate, locus, arc, swr, power, marker;
    QColor tuner;                        // the tuner's path
    QColor pullLow, pullMid, pullHigh;   // the pulled frequency: f0 - span, f0, f0 + span
    static TSmithPalette Light();
    static TSmithPalette Dark();
    // From a widget's base and text colours: light or dark accents by the base's lightness.
    static TSmithPalette For(const QColor& base, const QColor& text);
};

struct TLabelledCircle {
    TCircle circle;
    QString label;
};

// What is drawn, computed from a case.
struct TSmithScene {
    TGamma load, source, conjugate;
    bool sourceDefined = false;  // |Gs| < 1: there is an available power and a conjugate
    TLocus locus;
    std::vector<TLabelledCircle> swr;
    TCircle loadCircle;
    std::vector<TLabelledCircle> power;
    QString note;  // the pulling band's full turn, or empty
    std::optional<TGamma> marker;  // the readout's point, drawn as a cross
    TTunerPath tuner;              // drawn when defined
    // The frequency the magnetron is pulled to at each point of locus.points
    // (MHz), drawn as the path's colour from f0 - span to f0 + span; empty
    // when the case has no pulling figure.
    std::vector<double> pulledMHz;
    double pullF0MHz = 0.0, pullSpanMHz = 0.0;
    // A measured load: its points within the band at the model's plane, in
    // frequency order, and the frequencies written beside a few of them.
    std::vector<TGamma> measured;
    std::vector<std::pair<std::size_t, QString>> measuredLabels;
    // The process's load set at the model's plane, joined in process order,
    // each load's name beside its first point.
    std::vector<TGamma> setLoads;
    std::vector<std::pair<std::size_t, QString>> setLabels;
};

// m computed by the model, s the Line Sweep of the case (its curves are not used).
TSmithScene MakeSmithScene(const TModel& m, const TSweepResult& s, const TSmithOptions& o);

// The path of the tuner's chosen solution from the scene's load; left
// undefined when the match found none.
void AddTunerPath(TSmithScene& sc, const present::TTunerResult& t);
// The pulled frequency along the locus when the tube's pulling is known:
// f0 + df(Gseen e^(-j phi)) at each point's round-trip phase phi, over the
// span of the shift at the seen reflection's SWR.
void AddPulledFrequency(TSmithScene& sc, const present::TTubeResult& tube, double f0MHz);
// The whole chart of a computed case: the path a spiral with the line's
// loss, the tuner's path for the chosen solution, the pulled frequency as
// the path's colour. o.npPerM is taken from the snapshot.
TSmithScene MakeSmithScene(const present::TSnapshot& s, const TSmithOptions& o);
// The measured load's locus over the band (the pulling range, or +-50 MHz)
// with frequencies at its ends and middle; nothing without a measurement.
void AddMeasuredLocus(TSmithScene& sc, const present::TSnapshot& s);

// The process's load set, its points in order as the snapshot's process
// gives them (a measured load's within the band), each load named once;
// nothing without a set.
void AddLoadSet(TSmithScene& sc, const present::TSnapshot& s);

// The colour of the frequency f on the scale from f0 - span (pullLow)
// through f0 (pullMid) to f0 + span (pullHigh); clamped at the ends, pullMid
// for a span that is not positive.
QColor PulledColour(const TSmithPalette& pal, double fMHz, double f0MHz, double spanMHz);

// Where the chart lies in a rectangle: the centre, the pixels per unit of G
// and the radius of the edge, with room round it for the phase scale.
struct TSmithFrame {
    QPointF centre;
    double scale = 1.0;   // device units per unit of G
    double radius = 1.0;  // the edge's radius in device units
    double em = 10.0;     // the font's line height in device units
    QPointF ToDevice(TGamma g) const { return {centre.x() + g.real() * scale, centre.y() - g.imag() * scale}; }
    TGamma ToGamma(const QPointF& p) const { return {(p.x() - centre.x()) / scale, (centre.y() - p.y()) / scale}; }
};
// The chart's frame in an area: the disc as large as the phase scale's
// numbers round it leave, and clear of the pulling's legend when it has one.
TSmithFrame SmithFrame(const QRectF& area, double em, double edge, bool legend = false);
// the pulling's legend's size, in the font's line heights
inline constexpr double kLegendWidthEm = 14.5, kLegendHeightEm = 3.4;

// Paints the scene into area with the font given (its size sets every size).
void PaintSmith(QPainter& p, const QRectF& area, const TSmithScene& scene, const TSmithOptions& o,
                const TSmithPalette& palette, const QFont& font);
// The same in two layers: what a move of the load leaves as it was (the
// background, the grid, the rim, the SWR and power circles), which a widget
// may keep as an image, and the rest (the load's circle and path, the
// pulling band, the points, the marker, the note).
void PaintSmithBackground(QPainter& p, const QRectF& area, const TSmithScene& scene, const TSmithOptions& o,
                          const TSmithPalette& palette, const QFont& font);
void PaintSmithForeground(QPainter& p, const QRectF& area, const TSmithScene& scene, const TSmithOptions& o,
                          const TSmithPalette& palette, const QFont& font);

// The chart of a computed case as the window's report paints it: the default
// choices in the case's power unit, the light palette, the painter's font.
void PaintSmithReport(QPainter& p, const QRectF& area, const present::TSnapshot& s);

// Writes the chart as SVG (a path ending in .svg, case ignored) or else PNG,
// size in pixels; the file is replaced only when complete. False with the
// reason otherwise.
bool WriteSmithImage(const QString& path, const QSize& size, const TSmithScene& scene, const TSmithOptions& o,
                     const TSmithPalette& palette, QString& reason);

}  // namespace merivane::smith
