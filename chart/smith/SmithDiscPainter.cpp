// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's lines: the grid of constant r and x (or g and b), the rim with
// its phase scale, the circles and paths.
#include "SmithDiscPainter.h"

#include "EngineeringText.h"

#include <QFontMetricsF>

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

}  // namespace

TDiscPainter::TDiscPainter(QPainter& p, const TSmithFrame& f, const TSmithPalette& pal, const QRectF& area)
    : p_(p), f_(f), pal_(pal), labels_(area)
{
}

QPen TDiscPainter::Pen(const QColor& c, double widthEm, Qt::PenStyle style) const
{
    QPen pen(c, std::max(0.5, widthEm * f_.em), style);
    pen.setCosmetic(false);
    return pen;
}

void TDiscPainter::Arc(TGamma c, double r, TGamma a, TGamma b)
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

void TDiscPainter::TextAt(const QPointF& at, const QString& text, Qt::Alignment align)
{
    const double w = 20 * f_.em, h = f_.em;
    QRectF box(at.x() - w / 2, at.y() - h / 2, w, h);
    if (align & Qt::AlignLeft) box.moveLeft(at.x());
    if (align & Qt::AlignRight) box.moveRight(at.x());
    p_.drawText(box, static_cast<int>(align), text);
}

std::vector<double> TDiscPainter::GridValues(bool fine) const
{
    std::vector<double> values(std::begin(kCoarse), std::end(kCoarse));
    if (fine && f_.radius / f_.scale < 0.75) values.insert(values.end(), std::begin(kFine), std::end(kFine));
    return values;
}

void TDiscPainter::Grid(bool admittance, Qt::PenStyle style, bool fine)
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

void TDiscPainter::GridLabels(bool admittance, bool fine)
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

std::optional<TGamma> TDiscPainter::ArcLabelPoint(TGamma c, double b, double a)
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

void TDiscPainter::Rim()
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

void TDiscPainter::LabelledCircle(const TLabelledCircle& c, const QPen& pen)
{
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
    Circle(c.circle.centre, c.circle.radius);
}

void TDiscPainter::Path(const std::vector<TGamma>& points, const QPen& pen)
{
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const TGamma& g : points) line << f_.ToDevice(g);
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
    p_.drawPolyline(line);
}

}  // namespace merivane::smith
