// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the Smith chart: the grid of constant r and x (or g and b), the
// rim with its phase scale, the circles, the load's path, the points.
#include "SmithPainter.h"

#include "EngineeringText.h"
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

// the values the grid's circles and arcs are drawn at; more when zoomed in
constexpr double kCoarse[] = {0.2, 0.5, 1.0, 2.0, 5.0};
constexpr double kFine[] = {0.1, 0.3, 0.4, 0.6, 0.7, 0.8, 0.9, 1.2, 1.5, 3.0};

QString Number(double v) { return QString::fromStdString(present::EngineeringText(v, 3)); }

class TChartPainter {
public:
    TChartPainter(QPainter& p, const TSmithFrame& f, const TSmithPalette& pal) : p_(p), f_(f), pal_(pal) {}

    QPen Pen(const QColor& c, double widthEm, Qt::PenStyle style = Qt::SolidLine) const
    {
        QPen pen(c, std::max(0.5, widthEm * f_.em), style);
        pen.setCosmetic(false);
        return pen;
    }

    void Circle(TGamma c, double r) { p_.drawEllipse(f_.ToDevice(c), r * f_.scale, r * f_.scale); }

    // The arc of the circle about c of radius r from a to b (both on it)
    // that runs inside the unit circle.
    void Arc(TGamma c, double r, TGamma a, TGamma b)
    {
        const double from = std::arg(a - c) * 180 / kPi;
        double sweep = std::arg(b - c) * 180 / kPi - from;
        if (sweep > 180) sweep -= 360;
        if (sweep < -180) sweep += 360;
        // the other way round when the shorter one lies outside
        if (std::abs(c + std::polar(r, (from + sweep / 2) * kPi / 180)) > 1) sweep -= std::copysign(360.0, sweep);
        const QPointF centre = f_.ToDevice(c);
        const double rr = r * f_.scale;
        // Qt's angles run counter-clockwise on the screen, as G's do with the imaginary axis up
        p_.drawArc(QRectF(centre.x() - rr, centre.y() - rr, 2 * rr, 2 * rr), static_cast<int>(std::lround(from * 16)),
                   static_cast<int>(std::lround(sweep * 16)));
    }

    bool Visible(TGamma g) const { return std::abs(g) <= f_.radius / f_.scale * 1.0001; }

    // A text centred on a point of the device.
    void TextAt(const QPointF& at, const QString& text, Qt::Alignment align = Qt::AlignCenter)
    {
        const double w = 20 * f_.em, h = f_.em;
        QRectF box(at.x() - w / 2, at.y() - h / 2, w, h);
        if (align & Qt::AlignLeft) box.moveLeft(at.x());
        if (align & Qt::AlignRight) box.moveRight(at.x());
        p_.drawText(box, static_cast<int>(align), text);
    }

    // A label left-aligned at a point, over a patch of the background so that it reads over the lines.
    void Backed(const QPointF& at, const QString& text, const QColor& colour)
    {
        const QFontMetricsF fm(p_.font(), p_.device());
        const QRectF box(at.x() - 0.15 * f_.em, at.y() - f_.em / 2, fm.horizontalAdvance(text) + 0.3 * f_.em, f_.em);
        QColor back = pal_.background;
        back.setAlphaF(0.75f);
        p_.fillRect(box, back);
        p_.setPen(colour);
        TextAt(at, text, Qt::AlignLeft | Qt::AlignVCenter);
    }

    // Constant r circles and constant x arcs, mirrored (G -> -G) for the
    // admittance grid. A constant r circle has its centre at r / (1 + r) and
    // the radius 1 / (1 + r); a constant x arc its centre at 1 + j / x and
    // the radius 1 / |x| (Pozar, "The Smith chart").
    void Grid(bool admittance, bool withLabels, Qt::PenStyle style, bool fine)
    {
        const double sign = admittance ? -1.0 : 1.0;
        std::vector<double> values(std::begin(kCoarse), std::end(kCoarse));
        if (fine && f_.radius / f_.scale < 0.75) values.insert(values.end(), std::begin(kFine), std::end(kFine));
        p_.setBrush(Qt::NoBrush);
        p_.setPen(Pen(pal_.grid, 0.06, style));
        for (double v : values) {
            Circle(sign * v / (1 + v), 1 / (1 + v));
            // only the part of an x arc inside the unit circle, from the pole
            // G = 1 to where z = jx meets the rim, G = (jx - 1) / (jx + 1):
            // its whole circle would be far longer to stroke
            for (double s : {1.0, -1.0}) {
                const TGamma rim = sign * (TGamma(0, s * v) - 1.0) / (TGamma(0, s * v) + 1.0);
                Arc(TGamma(sign, s / v), 1 / v, TGamma(sign, 0), rim);
            }
        }
        const double edge = f_.radius / f_.scale;
        p_.drawLine(f_.ToDevice(-edge), f_.ToDevice(edge));
        if (!withLabels) return;
        p_.setPen(pal_.gridLabel);
        for (double v : values) {
            // r (g) on the real axis, just above it
            const TGamma onAxis = sign * (v - 1) / (v + 1);
            if (std::fabs(onAxis.real()) < edge * 0.92)
                TextAt(f_.ToDevice(onAxis) + QPointF(0, -0.55 * f_.em), Number(v));
            // x (b) where its arc meets a circle just inside the edge
            for (double s : {1.0, -1.0}) {
                const std::optional<TGamma> at = ArcLabelPoint(TGamma(sign, s / v), 1 / v, edge * 0.9);
                if (at) TextAt(f_.ToDevice(*at), (s * sign > 0 ? "+j" : "\u2212j") + Number(v));
            }
        }
    }

    // Where the circle about c of radius b meets the circle |G| = a: the
    // meeting point away from G = +-1, where every arc of the family meets.
    static std::optional<TGamma> ArcLabelPoint(TGamma c, double b, double a)
    {
        const double d = std::abs(c);
        const double l = (a * a - b * b + d * d) / (2 * d);
        const double h2 = a * a - l * l;
        if (!(h2 >= 0)) return std::nullopt;
        const TGamma u = c / d, n(-u.imag(), u.real());
        const TGamma p1 = l * u + std::sqrt(h2) * n, p2 = l * u - std::sqrt(h2) * n;
        const TGamma pole(c.real() > 0 ? 1.0 : -1.0, 0.0);
        return std::abs(p1 - pole) > std::abs(p2 - pole) ? p1 : p2;
    }

    // The edge with ticks every 10 deg of the reflection's phase, numbered every 30 deg.
    void Rim()
    {
        p_.setBrush(Qt::NoBrush);
        p_.setPen(Pen(pal_.rim, 0.1));
        p_.drawEllipse(f_.centre, f_.radius, f_.radius);
        p_.setPen(Pen(pal_.rim, 0.06));
        for (int deg = -170; deg <= 180; deg += 10) {
            const double a = deg * kPi / 180;
            const QPointF dir(std::cos(a), -std::sin(a));
            const double tick = deg % 30 == 0 ? 0.45 : 0.25;
            p_.drawLine(f_.centre + dir * f_.radius, f_.centre + dir * (f_.radius + tick * f_.em));
        }
        p_.setPen(pal_.gridLabel);
        const QFontMetricsF fm(p_.font(), p_.device());
        for (int deg = -150; deg <= 180; deg += 30) {
            const double a = deg * kPi / 180;
            const QPointF dir(std::cos(a), -std::sin(a));
            const QString text = (deg < 0 ? "\u2212" : "") + QString::number(std::abs(deg)) + "\u00b0";
            // clear of the ticks: half the text's extent along the way out
            const double half = 0.5 * (std::fabs(dir.x()) * fm.horizontalAdvance(text) + std::fabs(dir.y()) * f_.em);
            TextAt(f_.centre + dir * (f_.radius + 0.55 * f_.em + half), text);
        }
    }

    void LabelledCircle(const TLabelledCircle& c, const QPen& pen, double labelAngle)
    {
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        Circle(c.circle.centre, c.circle.radius);
        const TGamma at = c.circle.centre + std::polar(c.circle.radius, labelAngle);
        if (!Visible(at)) return;
        Backed(f_.ToDevice(at) + QPointF(0.3 * f_.em, 0), c.label, pen.color());
    }

    void Path(const std::vector<TGamma>& points, const QPen& pen)
    {
        QPolygonF line;
        line.reserve(static_cast<qsizetype>(points.size()));
        for (const TGamma& g : points) line << f_.ToDevice(g);
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        p_.drawPolyline(line);
    }

    enum class Shape { Disc, Square, Diamond, Ring };
    void Point(TGamma g, Shape shape, const QColor& colour, const QString& label, double sizeEm, bool below = false)
    {
        if (!Visible(g)) return;
        const QPointF c = f_.ToDevice(g);
        const double r = sizeEm * f_.em;
        p_.setPen(Pen(pal_.background, 0.06));
        p_.setBrush(colour);
        switch (shape) {
        case Shape::Disc: p_.drawEllipse(c, r, r); break;
        case Shape::Square: p_.drawRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r)); break;
        case Shape::Diamond:
            p_.drawPolygon(QPolygonF({c + QPointF(0, -1.3 * r), c + QPointF(1.3 * r, 0), c + QPointF(0, 1.3 * r),
                                      c + QPointF(-1.3 * r, 0)}));
            break;
        case Shape::Ring:
            p_.setPen(Pen(colour, 0.12));
            p_.setBrush(Qt::NoBrush);
            p_.drawEllipse(c, r, r);
            break;
        }
        if (label.isEmpty()) return;
        Backed(c + QPointF(r + 0.2 * f_.em, below ? r + 0.35 * f_.em : -r - 0.35 * f_.em), label, colour);
    }

    void Marker(TGamma g)
    {
        if (!Visible(g)) return;
        const QPointF c = f_.ToDevice(g);
        const double r = 0.6 * f_.em;
        p_.setPen(Pen(pal_.marker, 0.08));
        p_.drawLine(c - QPointF(r, 0), c + QPointF(r, 0));
        p_.drawLine(c - QPointF(0, r), c + QPointF(0, r));
    }

private:
    QPainter& p_;
    const TSmithFrame& f_;
    const TSmithPalette& pal_;
};

}  // namespace

TSmithFrame SmithFrame(const QRectF& area, double em, double edge)
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

namespace {

// The painter's state for one layer: antialiased, in the font, the frame of the area.
struct TLayer {
    QPainter& p;
    TSmithFrame f;
    TLayer(QPainter& painter, const QRectF& area, const QFont& font, double edge) : p(painter)
    {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        f = SmithFrame(area, QFontMetricsF(font, p.device()).height(), edge);
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
    TLayer layer(p, area, font, o.edge);
    TChartPainter c(p, layer.f, pal);
    p.fillRect(area, pal.background);
    p.save();
    layer.ClipToDisc();
    const bool impedance = o.grid != SmithGrid::Admittance, admittance = o.grid != SmithGrid::Impedance;
    // both grids: the admittance one dashed, unlabelled and without the finer lines of a zoom
    if (admittance) c.Grid(true, !impedance, impedance ? Qt::DashLine : Qt::SolidLine, !impedance);
    if (impedance) c.Grid(false, true, Qt::SolidLine, true);
    for (const TLabelledCircle& s : sc.swr) c.LabelledCircle(s, c.Pen(pal.swr, 0.08, Qt::DashLine), -kPi / 4);
    for (const TLabelledCircle& s : sc.power) c.LabelledCircle(s, c.Pen(pal.power, 0.08), kPi / 2);
    p.restore();
    c.Rim();
}

void PaintSmithForeground(QPainter& p, const QRectF& area, const TSmithScene& sc, const TSmithOptions& o,
                          const TSmithPalette& pal, const QFont& font)
{
    TLayer layer(p, area, font, o.edge);
    TChartPainter c(p, layer.f, pal);
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
    p.restore();
    for (const auto& [at, label] : sc.measuredLabels)
        if (at < sc.measured.size()) c.Point(sc.measured[at], TChartPainter::Shape::Ring, pal.tuner, label, 0.25);

    if (sc.locus.adviceDefined) {
        c.Point(sc.locus.atMax, TChartPainter::Shape::Ring, pal.locus, QStringLiteral("max"), 0.4);
        c.Point(sc.locus.atMin, TChartPainter::Shape::Ring, pal.locus, QStringLiteral("min"), 0.4);
    }
    c.Point(sc.source, TChartPainter::Shape::Square, pal.source, QStringLiteral("\u0393s"), 0.28, true);
    if (sc.sourceDefined)
        c.Point(sc.conjugate, TChartPainter::Shape::Diamond, pal.conjugate, QStringLiteral("\u0393s*"), 0.3);
    c.Point(sc.load, TChartPainter::Shape::Disc, pal.load, QStringLiteral("\u0393l"), 0.36);
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
