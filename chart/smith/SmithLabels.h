// SPDX-License-Identifier: GPL-3.0-or-later
// Where the Smith chart's labels go. Each label takes the first of its places
// that lies inside the bounds and clear of every label and mark placed before
// it; a label with no clear place is left out. A small chart, or one in a
// large font, so shows fewer labels, never a heap of them.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>
#include <vector>

namespace merivane::smith {

class TLabelPlacer {
public:
    explicit TLabelPlacer(const QRectF& bounds) : bounds_(bounds) {}
    // a mark or a label that is drawn whatever: later labels keep clear of it
    void Reserve(const QRectF& r) { taken_.push_back(r); }
    bool Clear(const QRectF& r) const;
    // the first clear place, now taken; none when every place is taken
    std::optional<QRectF> Place(const std::vector<QRectF>& places);

private:
    QRectF bounds_;
    std::vector<QRectF> taken_;
};

// The places for a label of the size given beside a mark of radius r about c,
// in order: above right, below right (first when below), above left, below
// left, right, left; em apart from the mark by a fraction of the line height.
std::vector<QRectF> PlacesBeside(const QPointF& c, double r, const QSizeF& size, double em, bool below);

}  // namespace merivane::smith
