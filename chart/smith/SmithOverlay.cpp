// SPDX-License-Identifier: GPL-3.0-or-later
// What the Smith chart shows of the rest of the case: the tuner's path, the
// line's loss (the spiral) and the magnetron's pulled frequency as the
// colour of the path, with its legend.
#include "SmithOverlay.h"

#include "EntryReader.h"
#include "MeasuredTexts.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace merivane::smith {

void AddTunerPath(TSmithScene& sc, const present::TTunerResult& t)
{
    sc.tuner = TunerPath(t.match, t.solution, sc.load);
}

void AddPulledFrequency(TSmithScene& sc, const present::TTubeResult& tube, double f0MHz)
{
    sc.pulledMHz.clear();
    const TMagnetronResult& mg = tube.magnetron;
    // the shift's range over all phases: +-f0 / (2 Qext) (S^2 - 1) / (2S), symmetric about f0
    const double span = std::max(std::fabs(mg.ShiftMinMHz), std::fabs(mg.ShiftMaxMHz));
    if (!mg.Defined || !(span > 0) || !std::isfinite(span)) return;
    sc.pullF0MHz = f0MHz;
    sc.pullSpanMHz = span;
    sc.pulledMHz.reserve(sc.locus.x.size());
    // the point x of the path lies x / xPerDeg degrees of round-trip phase from the load
    for (double x : sc.locus.x)
        sc.pulledMHz.push_back(present::PulledFrequencyAtPhaseMHz(tube.seen, f0MHz, mg.Qext, x / sc.locus.xPerDeg));
}

// The measured load over the band (the report's: the pulling range, or
// +-50 MHz) with the frequencies at its ends and its middle.
void AddMeasuredLocus(TSmithScene& sc, const present::TSnapshot& s)
{
    if (!s.c.measured || !s.measured.present) return;
    const TMeasuredLoad& load = *s.c.measured;
    const double half = present::BandHalfMHz(s), f0 = s.c.line.FreqMHz;
    std::vector<std::size_t> index;
    for (std::size_t k = 0; k < load.freqHz.size(); ++k) {
        const double f = load.freqHz[k] / 1e6;
        if (f < f0 - half || f > f0 + half) continue;
        sc.measured.push_back(present::MeasuredPointAt(load, k, s.c.line, s.c.guide));
        index.push_back(k);
    }
    if (index.empty()) return;
    const auto label = [&](std::size_t i) {
        sc.measuredLabels.emplace_back(i, QString::fromStdString(present::LimitText(load.freqHz[index[i]] / 1e6)) +
                                              QStringLiteral(" MHz"));
    };
    label(0);
    if (index.size() > 2) label(index.size() / 2);
    if (index.size() > 1) label(index.size() - 1);
}

void AddLoadSet(TSmithScene& sc, const present::TSnapshot& s)
{
    if (s.c.loadSet.empty() || !s.process.present) return;
    // a measured load's band points follow one another: its name at the first
    int last = -1;
    for (const present::TProcessLoad& l : s.process.loads) {
        if (l.setLoad != last && l.setLoad >= 0 && static_cast<std::size_t>(l.setLoad) < s.c.loadSet.size())
            sc.setLabels.emplace_back(sc.setLoads.size(),
                                      QString::fromStdString(s.c.loadSet[static_cast<std::size_t>(l.setLoad)].name));
        last = l.setLoad;
        sc.setLoads.push_back(l.gamma);
    }
}

TSmithScene MakeSmithScene(const present::TSnapshot& s, const TSmithOptions& o)
{
    TSmithOptions withLoss = o;
    withLoss.npPerM = s.guide.attenuation.NpPerM;
    TSmithScene sc = MakeSmithScene(s.m, s.sweep, withLoss);
    if (s.tuner.match.Matchable) AddTunerPath(sc, s.tuner);
    AddPulledFrequency(sc, s.tube, s.c.line.FreqMHz);
    AddMeasuredLocus(sc, s);
    AddLoadSet(sc, s);
    return sc;
}

void PaintSmithReport(QPainter& p, const QRectF& area, const present::TSnapshot& s)
{
    TSmithOptions o;
    o.unit = s.c.display.power;
    PaintSmith(p, area, MakeSmithScene(s, o), o, TSmithPalette::Light(), p.font());
}

QColor PulledColour(const TSmithPalette& pal, double fMHz, double f0MHz, double spanMHz)
{
    if (!(spanMHz > 0) || !std::isfinite(fMHz)) return pal.pullMid;
    // t = (f - (f0 - span)) / (2 span) in [0, 1]; linear in RGB between the stops
    const double t = std::clamp((fMHz - (f0MHz - spanMHz)) / (2 * spanMHz), 0.0, 1.0);
    const QColor& a = t < 0.5 ? pal.pullLow : pal.pullMid;
    const QColor& b = t < 0.5 ? pal.pullMid : pal.pullHigh;
    const double u = t < 0.5 ? 2 * t : 2 * t - 1;
    const auto mix = [u](int p, int q) { return static_cast<int>(std::lround(p + u * (q - p))); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

namespace {

// The colour scale's steps: runs of the path in one step are drawn as one line.
constexpr int kColourSteps = 48;

QPen RoundPen(const QColor& colour, double width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

}  // namespace

void PaintTunerPath(QPainter& p, const TSmithFrame& f, const TSmithScene& sc, const TSmithPalette& pal)
{
    if (!sc.tuner.defined) return;
    p.save();
    p.setBrush(Qt::NoBrush);
    // turns along the line solid, the tuner's own steps dashed
    for (const TPathSegment& s : sc.tuner.segments) {
        QPen pen = RoundPen(pal.tuner, 0.1 * f.em);
        if (s.step != PathStep::Line) pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        QPolygonF line;
        line.reserve(static_cast<qsizetype>(s.points.size()));
        for (TGamma g : s.points) line << f.ToDevice(g);
        p.drawPolyline(line);
    }
    // where each step ends: a small dot
    p.setPen(Qt::NoPen);
    p.setBrush(pal.tuner);
    for (const TPathSegment& s : sc.tuner.segments) p.drawEllipse(f.ToDevice(s.points.back()), 0.14 * f.em, 0.14 * f.em);
    p.restore();
}

bool PaintPulledLocus(QPainter& p, const TSmithFrame& f, const TSmithScene& sc, const TSmithPalette& pal)
{
    const std::vector<TGamma>& pts = sc.locus.points;
    if (sc.pulledMHz.size() != pts.size() || pts.size() < 2) return false;
    p.save();
    p.setBrush(Qt::NoBrush);
    const auto step = [&](std::size_t i) {
        // the segment from point i to i + 1 takes the colour of its middle
        const double mid = 0.5 * (sc.pulledMHz[i] + sc.pulledMHz[i + 1]);
        const double t = (mid - (sc.pullF0MHz - sc.pullSpanMHz)) / (2 * sc.pullSpanMHz);
        return static_cast<int>(std::lround(std::clamp(t, 0.0, 1.0) * kColourSteps));
    };
    std::size_t from = 0;
    while (from + 1 < pts.size()) {
        const int k = step(from);
        std::size_t to = from + 1;
        while (to + 1 < pts.size() && step(to) == k) ++to;
        QPolygonF line;
        for (std::size_t i = from; i <= to; ++i) line << f.ToDevice(pts[i]);
        const double fk = sc.pullF0MHz - sc.pullSpanMHz + 2 * sc.pullSpanMHz * k / kColourSteps;
        p.setPen(RoundPen(PulledColour(pal, fk, sc.pullF0MHz, sc.pullSpanMHz), 0.16 * f.em));
        p.drawPolyline(line);
        from = to;
    }
    p.restore();
    return true;
}

void PaintPullLegend(QPainter& p, const QRectF& area, double em, const TSmithScene& sc, const TSmithPalette& pal)
{
    if (sc.pulledMHz.empty()) return;
    p.save();
    // a bar at the bottom left: f0 - span, f0, f0 + span in MHz below it
    // (room to its left for half of the lowest frequency's number)
    const QRectF bar(area.left() + 2.5 * em, area.bottom() - 1.8 * em, 9.0 * em, 0.5 * em);
    QLinearGradient g(bar.topLeft(), bar.topRight());
    g.setColorAt(0.0, pal.pullLow);
    g.setColorAt(0.5, pal.pullMid);
    g.setColorAt(1.0, pal.pullHigh);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(bar);
    p.setPen(pal.text);
    p.drawText(QRectF(area.left() + 0.5 * em, bar.top() - 1.3 * em, 14 * em, 1.2 * em), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("Pulled frequency, MHz"));
    const double lo = sc.pullF0MHz - sc.pullSpanMHz, hi = sc.pullF0MHz + sc.pullSpanMHz;
    const QRectF below(bar.left() - 2 * em, bar.bottom(), bar.width() + 4 * em, 1.2 * em);
    const auto number = [](double v) { return QString::number(v, 'f', 1); };
    const QRectF left(below.left(), below.top(), 4 * em, below.height());
    const QRectF right(below.right() - 4 * em, below.top(), 4 * em, below.height());
    p.drawText(left, Qt::AlignHCenter | Qt::AlignTop, number(lo));
    p.drawText(below, Qt::AlignHCenter | Qt::AlignTop, number(sc.pullF0MHz));
    p.drawText(right, Qt::AlignHCenter | Qt::AlignTop, number(hi));
    p.restore();
}

}  // namespace merivane::smith
