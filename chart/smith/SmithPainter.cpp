// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the Smith chart in two layers: its frame in the area, the
// background (grid, rim, circles) and the foreground (paths and marks).
#include "SmithPainter.h"

#include "SmithDiscPainter.h"
#include "SmithOverlay.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace merivane::smith {

namespace {

constexpr double kPi = std::numbers::pi;

TSmithFrame FrameIn(const QRectF& area, double em, double edge)
{
    TSmithFrame f;
    f.em = em;
    // room round the edge for the phase scale's numbers
    const double margin = 3.0 * em;
    f.radius = std::max(em, std::min(area.width(), area.height()) / 2 - margin);
    f.centre = area.center();
    f.scale = f.radius / std::clamp(edge, 0.01, 1.0);
    return f;
}

}  // namespace

TSmithFrame SmithFrame(const QRectF& area, double em, double edge, bool legend)
{
    const TSmithFrame f = FrameIn(area, em, edge);
    if (!legend) return f;
    // The pulling's legend sits in the bottom left corner when that is clear
    // of the disc and its phase scale; else the disc moves up above it.
    const QRectF corner(area.left(), area.bottom() - kLegendHeightEm * em, kLegendWidthEm * em, kLegendHeightEm * em);
    const double dx = std::max({corner.left() - f.centre.x(), 0.0, f.centre.x() - corner.right()});
    const double dy = std::max({corner.top() - f.centre.y(), 0.0, f.centre.y() - corner.bottom()});
    if (std::hypot(dx, dy) > f.radius + 2.6 * em) return f;
    return FrameIn(area.adjusted(0, 0, 0, -kLegendHeightEm * em), em, edge);
}

namespace {

// The painter's state for one layer: antialiased, in the font, the frame of the area.
struct TLayer {
    QPainter& p;
    TSmithFrame f;
    TLayer(QPainter& painter, const QRectF& area, const QFont& font, double edge, bool legend) : p(painter)
    {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        f = SmithFrame(area, QFontMetricsF(font, p.device()).height(), edge, legend);
    }
    ~TLayer() { p.restore(); }
    TLayer(const TLayer&) = delete;
    TLayer& operator=(const TLayer&) = delete;
    // clipped to the edge's disc
    void ClipToDisc()
    {
        QPainterPath disc;
        disc.addEllipse(f.centre, f.radius, f.radius);
        p.setClipPath(disc, Qt::IntersectClip);
    }
};

}  // namespace

void PaintSmithBackground(QPainter& p, const QRectF& area, const TSmithScene& sc, const TSmithOptions& o,
                          const TSmithPalette& pal, const QFont& font)
{
    TLayer layer(p, area, font, o.edge, !sc.pulledMHz.empty());
    TDiscPainter c(p, layer.f, pal, area);
    p.fillRect(area, pal.background);
    p.save();
    layer.ClipToDisc();
    const bool impedance = o.grid != SmithGrid::Admittance, admittance = o.grid != SmithGrid::Impedance;
    // both grids: the admittance one dashed, unlabelled and without the finer lines of a zoom
    if (admittance) c.Grid(true, impedance ? Qt::DashLine : Qt::SolidLine, !impedance);
    if (impedance) c.Grid(false, Qt::SolidLine, true);
    for (const TLabelledCircle& s : sc.swr) c.LabelledCircle(s, c.Pen(pal.swr, 0.08, Qt::DashLine));
    for (const TLabelledCircle& s : sc.power) c.LabelledCircle(s, c.Pen(pal.power, 0.08));
    // the circles' labels before the grid's numbers, which give way to them
    for (const TLabelledCircle& s : sc.swr) c.CircleLabel(s, pal.swr, -kPi / 4);
    for (const TLabelledCircle& s : sc.power) c.CircleLabel(s, pal.power, kPi / 2);
    c.GridLabels(!impedance, true);
    p.restore();
    c.Rim();
}

void PaintSmithForeground(QPainter& p, const QRectF& area, const TSmithScene& sc, const TSmithOptions& o,
                          const TSmithPalette& pal, const QFont& font)
{
    TLayer layer(p, area, font, o.edge, !sc.pulledMHz.empty());
    TDiscPainter c(p, layer.f, pal, area);
    p.save();
    // Within the unit circle lies all of this layer: only a zoom needs the
    // clip, which costs a good part of a repaint.
    if (o.edge < 1) layer.ClipToDisc();
    // the load's circle faint and solid: dots along a whole circle cost more than all the rest
    QColor faint = pal.load;
    faint.setAlphaF(0.45f);
    p.setPen(c.Pen(faint, 0.06));
    p.setBrush(Qt::NoBrush);
    c.Circle(0.0, sc.loadCircle.radius);
    if (!PaintPulledLocus(p, layer.f, sc, pal)) c.Path(sc.locus.points, c.Pen(pal.locus, 0.12));
    if (sc.locus.arcDefined) {
        QColor band = pal.arc;
        band.setAlphaF(0.7f);
        QPen pen = c.Pen(band, 0.4);
        pen.setCapStyle(Qt::RoundCap);
        c.Path(sc.locus.arc, pen);
    }
    PaintTunerPath(p, layer.f, sc, pal);
    if (sc.measured.size() > 1) c.Path(sc.measured, c.Pen(pal.tuner, 0.1));
    if (sc.setLoads.size() > 1) {
        QPen pen = c.Pen(pal.arc, 0.12);
        pen.setStyle(Qt::DashLine);
        c.Path(sc.setLoads, pen);
    }
    p.restore();
    using TMark = TDiscPainter::TMark;
    using Shape = TDiscPainter::Shape;
    std::vector<TMark> marks;
    for (const auto& [at, label] : sc.measuredLabels)
        if (at < sc.measured.size()) marks.push_back({sc.measured[at], Shape::Ring, pal.tuner, label, 0.25});
    for (const auto& [at, label] : sc.setLabels)
        if (at < sc.setLoads.size()) marks.push_back({sc.setLoads[at], Shape::Diamond, pal.arc, label, 0.25});
    if (sc.locus.adviceDefined) {
        marks.push_back({sc.locus.atMax, Shape::Ring, pal.locus, QStringLiteral("max"), 0.4});
        marks.push_back({sc.locus.atMin, Shape::Ring, pal.locus, QStringLiteral("min"), 0.4});
    }
    marks.push_back({sc.source, Shape::Square, pal.source, QStringLiteral("\u0393s"), 0.28, true});
    if (sc.sourceDefined) marks.push_back({sc.conjugate, Shape::Diamond, pal.conjugate, QStringLiteral("\u0393s*"), 0.3});
    marks.push_back({sc.load, Shape::Disc, pal.load, QStringLiteral("\u0393l"), 0.36});
    c.Marks(marks);
    if (sc.marker) c.Marker(*sc.marker);
    PaintPullLegend(p, area, layer.f.em, sc, pal);

    if (!sc.note.isEmpty()) {
        const double em = layer.f.em;
        p.setPen(pal.arc);
        p.drawText(area.adjusted(0.5 * em, 0.3 * em, -0.5 * em, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   sc.note);
    }
}

void PaintSmith(QPainter& p, const QRectF& area, const TSmithScene& sc, const TSmithOptions& o,
                const TSmithPalette& pal, const QFont& font)
{
    PaintSmithBackground(p, area, sc, o, pal, font);
    PaintSmithForeground(p, area, sc, o, pal, font);
}

}  // namespace merivane::smith
