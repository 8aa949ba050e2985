// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmithLabels.h"

#include <algorithm>

namespace merivane::smith {

bool TLabelPlacer::Clear(const QRectF& r) const
{
    if (!bounds_.contains(r)) return false;
    return std::none_of(taken_.begin(), taken_.end(), [&](const QRectF& t) { return t.intersects(r); });
}

std::optional<QRectF> TLabelPlacer::Place(const std::vector<QRectF>& places)
{
    for (const QRectF& r : places) {
        if (!Clear(r)) continue;
        taken_.push_back(r);
        return r;
    }
    return std::nullopt;
}

std::vector<QRectF> PlacesBeside(const QPointF& c, double r, const QSizeF& size, double em, bool below)
{
    const double w = size.width(), h = size.height();
    const double gap = 0.2 * em;
    const double right = c.x() + r + gap, left = c.x() - r - gap - w;
    const double up = c.y() - r - 0.35 * em - h / 2, down = c.y() + r + 0.35 * em - h / 2;
    const double level = c.y() - h / 2;
    const QRectF aboveRight(right, up, w, h), belowRight(right, down, w, h);
    std::vector<QRectF> places;
    if (below) places = {belowRight, aboveRight};
    else places = {aboveRight, belowRight};
    places.insert(places.end(), {QRectF(left, up, w, h), QRectF(left, down, w, h), QRectF(right, level, w, h),
                                 QRectF(left, level, w, h)});
    return places;
}

}  // namespace merivane::smith
