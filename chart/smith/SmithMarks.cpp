// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's marks and labels: each label where the placer finds it room.
#include "SmithDiscPainter.h"

#include <QFontMetricsF>
#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace merivane::smith {

namespace {

constexpr double kPi = std::numbers::pi;

}  // namespace

QSizeF TDiscPainter::LabelSize(const QString& text) const
{
    return {QFontMetricsF(p_.font(), p_.device()).horizontalAdvance(text) + 0.3 * f_.em, f_.em};
}

void TDiscPainter::Backed(const QRectF& box, const QString& text, const QColor& colour)
{
    QColor back = pal_.background;
    back.setAlphaF(0.75f);
    p_.fillRect(box, back);
    p_.setPen(colour);
    p_.drawText(box.adjusted(0.15 * f_.em, 0, 0, 0), static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter), text);
}

void TDiscPainter::GridLabel(const QPointF& at, const QString& text)
{
    const QSizeF size = LabelSize(text);
    const std::optional<QRectF> box =
        labels_.Place({QRectF(at - QPointF(size.width() / 2, size.height() / 2), size)});
    if (box) p_.drawText(*box, static_cast<int>(Qt::AlignCenter), text);
}

void TDiscPainter::CircleLabel(const TLabelledCircle& c, const QColor& colour, double angle)
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

void TDiscPainter::Marks(const std::vector<TMark>& marks)
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

void TDiscPainter::Shaped(const TMark& m)
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

void TDiscPainter::Marker(TGamma g)
{
    if (!Visible(g)) return;
    const QPointF c = f_.ToDevice(g);
    const double r = 0.6 * f_.em;
    p_.setPen(Pen(pal_.marker, 0.08));
    p_.drawLine(c - QPointF(r, 0), c + QPointF(r, 0));
    p_.drawLine(c - QPointF(0, r), c + QPointF(0, r));
}

}  // namespace merivane::smith
