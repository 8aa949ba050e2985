// SPDX-License-Identifier: GPL-3.0-or-later
// The Smith chart's painter inside one layer: the grid, the rim, the circles
// and the marks with their labels, in the frame of the area, every size in
// the font's line heights. Used by the layers of SmithPainter.cpp only.
#pragma once

#include "SmithLabels.h"
#include "SmithPainter.h"

#include <QPainter>
#include <QPen>

#include <optional>
#include <vector>

namespace merivane::smith {

class TDiscPainter {
public:
    TDiscPainter(QPainter& p, const TSmithFrame& f, const TSmithPalette& pal, const QRectF& area);

    QPen Pen(const QColor& c, double widthEm, Qt::PenStyle style = Qt::SolidLine) const;

    void Circle(TGamma c, double r) { p_.drawEllipse(f_.ToDevice(c), r * f_.scale, r * f_.scale); }

    // The arc of the circle about c of radius r from a to b (both on it)
    // that runs inside the unit circle.
    void Arc(TGamma c, double r, TGamma a, TGamma b);

    bool Visible(TGamma g) const { return std::abs(g) <= f_.radius / f_.scale * 1.0001; }

    // A text centred on a point of the device.
    void TextAt(const QPointF& at, const QString& text, Qt::Alignment align = Qt::AlignCenter);

    // A label's box: its text and a little of the background either side.
    QSizeF LabelSize(const QString& text) const;

    // A label in its box, over a patch of the background so that it reads over the lines.
    void Backed(const QRectF& box, const QString& text, const QColor& colour);

    // A grid's number centred on a point, if it is clear of the labels before it.
    void GridLabel(const QPointF& at, const QString& text);

    std::vector<double> GridValues(bool fine) const;

    // Constant r circles and constant x arcs, mirrored (G -> -G) for the
    // admittance grid. A constant r circle has its centre at r / (1 + r) and
    // the radius 1 / (1 + r); a constant x arc its centre at 1 + j / x and
    // the radius 1 / |x| (Pozar, "The Smith chart").
    void Grid(bool admittance, Qt::PenStyle style, bool fine);

    // The grid's numbers: the coarse ones first, so that a crowded chart keeps them.
    void GridLabels(bool admittance, bool fine);

    // Where the circle about c of radius b meets the circle |G| = a: the
    // meeting point away from G = +-1, where every arc of the family meets.
    static std::optional<TGamma> ArcLabelPoint(TGamma c, double b, double a);

    // The edge with ticks every 10 deg of the reflection's phase, numbered every 30 deg.
    void Rim();

    void LabelledCircle(const TLabelledCircle& c, const QPen& pen);

    // A circle's label beside the circle at the angle given, or along the
    // circle from there when that place is taken.
    void CircleLabel(const TLabelledCircle& c, const QColor& colour, double angle);

    void Path(const std::vector<TGamma>& points, const QPen& pen);

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
    void Marks(const std::vector<TMark>& marks);

    void Shaped(const TMark& m);

    void Marker(TGamma g);

private:
    QPainter& p_;
    const TSmithFrame& f_;
    const TSmithPalette& pal_;
    TLabelPlacer labels_;
};

}  // namespace merivane::smith
