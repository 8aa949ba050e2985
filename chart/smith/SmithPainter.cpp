// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the Smith chart: the grid of constant r and x (or g and b), the
// rim with its phase scale, the circles, the load's path, the points.
#include "SmithPainter.h"

#include "EngineeringText.h"
#include "SmithLabels.h"
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
    TChartPainter(QPainter& p, const TSmithFrame& f, const TSmithPalette& pal, const QRectF& area)
        : p_(p), f_(f), pal_(pal), labels_(area)
    {
    }

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

    // A label's box: its text and a little of the background either side.
    QSizeF LabelSize(const QString& text) const
    {
        return {QFontMetricsF(p_.font(), p_.device()).horizontalAdvance(text) + 0.3 * f_.em, f_.em};
    }

    // A label in its box, over a patch of the background so that it reads over the lines.
    void Backed(const QRectF& box, const QString& text, const QColor& colour)
    {
        QColor back = pal_.background;
        back.setAlphaF(0.75f);
        p_.fillRect(box, back);
        p_.setPen(colour);
        p_.drawText(box.adjusted(0.15 * f_.em, 0, 0, 0), static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter), text);
    }

    // A grid's number centred on a point, if it is clear of the labels before it.
    void GridLabel(const QPointF& at, const QString& text)
    {
        const QSizeF size = LabelSize(text);
        const std::optional<QRectF> box =
            labels_.Place({QRectF(at - QPointF(size.width() / 2, size.height() / 2), size)});
        if (box) p_.drawText(*box, static_cast<int>(Qt::AlignCenter), text);
    }

    std::vector<double> GridValues(bool fine) const
    {
        std::vector<double> values(std::begin(kCoarse), std::end(kCoarse));
        if (fine && f_.radius / f_.scale < 0.75) values.insert(values.end(), std::begin(kFine), std::end(kFine));
        return values;
    }

    // Constant r circles and constant x arcs, mirrored (G -> -G) for the
    // admittance grid. A constant r circle has its centre at r / (1 + r) and
    // the radius 1 / (1 + r); a constant x arc its centre at 1 + j / x and
    // the radius 1 / |x| (Pozar, "The Smith chart").
    void Grid(bool admittance, Qt::PenStyle style, bool fine)
    {
        const double sign = admittance ? -1.0 : 1.0;
        p_.setBrush(Qt::NoBrush);
        p_.setPen(Pen(pal_.grid, 0.06, style));
        for (double v : GridValues(fine)) {
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
    }

    // The grid's numbers: the coarse ones first, so that a crowded chart keeps them.
    void GridLabels(bool admittance, bool fine)
    {
        const double sign = admittance ? -1.0 : 1.0, edge = f_.radius / f_.scale;
        p_.setPen(pal_.gridLabel);
        for (double v : GridValues(fine)) {
            // r (g) on the real axis, just above it
            const TGamma onAxis = sign * (v - 1) / (v + 1);
            if (std::fabs(onAxis.real()) < edge * 0.92)
                GridLabel(f_.ToDevice(onAxis) + QPointF(0, -0.55 * f_.em), Number(v));
            // x (b) where its arc meets a circle just inside the edge
            for (double s : {1.0, -1.0}) {
                const std::optional<TGamma> at = ArcLabelPoint(TGamma(sign, s / v), 1 / v, edge * 0.9);
                if (at) GridLabel(f_.ToDevice(*at), (s * sign > 0 ? "+j" : "\u2212j") + Number(v));
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

    void LabelledCircle(const TLabelledCircle& c, const QPen& pen)
    {
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        Circle(c.circle.centre, c.circle.radius);
    }

    // A circle's label beside the circle at the angle given, or along the
    // circle from there when that place is taken.
    void CircleLabel(const TLabelledCircle& c, const QColor& colour, double angle)
    {
        const QSizeF size = LabelSize(c.label);
        std::vector<QRectF> places;
        for (int k = 0; k <= 12; ++k) {
            const double step = (k + 1) / 2 * (k % 2 ? 1 : -1) * kPi / 15;
            const TGamma at = c.circle.centre + std::polar(c.circle.radius, angle + step);
            if (!Visible(at)) continue;
            const QPointF d = f_.ToDevice(at);
            places.emplace_back(d.x() + 0.15 * f_.em, d.y() - size.height() / 2, size.width(), size.height());
        }
        if (const std::optional<QRectF> box = labels_.Place(places)) Backed(*box, c.label, colour);
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
    struct TMark {
        TGamma g;
        Shape shape;
        QColor colour;
        QString label;
        double sizeEm;
        bool below = false;
    };

    // The marks in the order given, each over the ones before it. Their
    // labels are placed the other way round, so that the topmost mark (the
    // load) has the first pick of places, and no label covers a mark.
    void Marks(const std::vector<TMark>& marks)
    {
        std::vector<const TMark*> shown;
        for (const TMark& m : marks) {
            if (!Visible(m.g)) continue;
            shown.push_back(&m);
            const double r = 1.3 * m.sizeEm * f_.em;
            labels_.Reserve(QRectF(f_.ToDevice(m.g) - QPointF(r, r), QSizeF(2 * r, 2 * r)));
        }
        std::vector<std::optional<QRectF>> boxes(shown.size());
        for (std::size_t i = shown.size(); i-- > 0;) {
            const TMark& m = *shown[i];
            if (m.label.isEmpty()) continue;
            boxes[i] = labels_.Place(
                PlacesBeside(f_.ToDevice(m.g), m.sizeEm * f_.em, LabelSize(m.label), f_.em, m.below));
        }
        for (const TMark* m : shown) Shaped(*m);
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (boxes[i]) Backed(*boxes[i], shown[i]->label, shown[i]->colour);
    }

    void Shaped(const TMark& m)
    {
        const QPointF c = f_.ToDevice(m.g);
        const double r = m.sizeEm * f_.em;
        p_.setPen(Pen(pal_.background, 0.06));
        p_.setBrush(m.colour);
        switch (m.shape) {
        case Shape::Disc: p_.drawEllipse(c, r, r); break;
        case Shape::Square: p_.drawRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r)); break;
        case Shape::Diamond:
            p_.drawPolygon(QPolygonF({c + QPointF(0, -1.3 * r), c + QPointF(1.3 * r, 0), c + QPointF(0, 1.3 * r),
                                      c + QPointF(-1.3 * r, 0)}));
            break;
        case Shape::Ring:
            p_.setPen(Pen(m.colour, 0.12));
            p_.setBrush(Qt::NoBrush);
            p_.drawEllipse(c, r, r);
            break;
        }
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
    TLabelPlacer labels_;
};

}  // namespace

namespace {

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
    TChartPainter c(p, layer.f, pal, area);
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
    TChartPainter c(p, layer.f, pal, area);
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
    using TMark = TChartPainter::TMark;
    using Shape = TChartPainter::Shape;
    std::vector<TMark> marks;
    for (const auto& [at, label] : sc.measuredLabels)
        if (at < sc.measured.size()) marks.push_back({sc.measured[at], Shape::Ring, pal.tuner, label, 0.25});
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
