// SPDX-License-Identifier: GPL-3.0-or-later
// Where the Smith chart's labels go: the first clear place, never over a
// label or a mark placed before, never off the chart; and the frame leaves
// the pulling's legend clear of the disc and its phase scale.
#include "SmithLabels.h"
#include "SmithPainter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace merivane::smith {
namespace {

struct TPlaceRow {
    const char* name;
    std::vector<QRectF> taken;   // marks and labels before
    std::vector<QRectF> places;  // the label's places, in order
    int chosen;                  // index of the place taken, -1 none
};

TEST(LabelPlacer, TakesTheFirstClearPlace)
{
    const QRectF chart(0, 0, 100, 100);
    const QRectF a(10, 10, 20, 10), b(40, 10, 20, 10), c(70, 10, 20, 10);
    const std::vector<TPlaceRow> rows{
        {"nothing before: the first", {}, {a, b}, 0},
        {"the first over a mark: the second", {QRectF(15, 12, 4, 4)}, {a, b}, 1},
        {"touching is not over", {QRectF(30, 10, 10, 10)}, {a}, 0},
        {"every place taken: left out", {QRectF(0, 0, 100, 30)}, {a, b, c}, -1},
        {"off the chart: the next", {}, {QRectF(95, 10, 20, 10), c}, 1},
        {"no place at all", {}, {}, -1},
    };
    for (const TPlaceRow& row : rows) {
        SCOPED_TRACE(row.name);
        TLabelPlacer placer(chart);
        for (const QRectF& t : row.taken) placer.Reserve(t);
        const std::optional<QRectF> got = placer.Place(row.places);
        ASSERT_EQ(got.has_value(), row.chosen >= 0);
        if (!got) continue;
        EXPECT_EQ(*got, row.places[static_cast<std::size_t>(row.chosen)]);
        // and taken: the same place is not given twice
        EXPECT_FALSE(placer.Place({*got}).has_value());
    }
}

TEST(LabelPlacer, ManyLabelsNeverOverlap)
{
    // forty labels all wanting the same few places round one point
    TLabelPlacer placer(QRectF(0, 0, 200, 200));
    std::vector<QRectF> placed;
    for (int i = 0; i < 40; ++i) {
        const QPointF at(100 + (i % 3), 100 + (i % 2));
        if (auto box = placer.Place(PlacesBeside(at, 4, QSizeF(30, 10), 10, i % 2 == 1))) placed.push_back(*box);
    }
    EXPECT_GE(placed.size(), 4u);
    for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(placed[i].intersects(placed[j])) << i << " over " << j;
}

TEST(LabelPlacer, PlacesBesideAMarkClearOfIt)
{
    const QPointF c(50, 50);
    const double r = 5, em = 10;
    const QRectF mark(c - QPointF(r, r), QSizeF(2 * r, 2 * r));
    for (bool below : {false, true}) {
        const std::vector<QRectF> places = PlacesBeside(c, r, QSizeF(30, em), em, below);
        ASSERT_EQ(places.size(), 6u);
        for (const QRectF& p : places) EXPECT_FALSE(p.intersects(mark));
        // the first above and to the right, or below and to the right
        EXPECT_GT(places[0].left(), c.x());
        EXPECT_EQ(places[0].center().y() > c.y(), below);
    }
}

struct TFrameRow {
    const char* name;
    QRectF area;
    bool movesUp;  // the disc moves up above the legend
};

TEST(SmithFrame, LeavesThePullingsLegendClear)
{
    const double em = 12;
    const std::vector<TFrameRow> rows{
        {"a square: no room in the corner", QRectF(0, 0, 400, 400), true},
        {"wide: the legend beside the disc", QRectF(0, 0, 900, 400), false},
        {"a report's width and height", QRectF(48, 500, 499, 360), true},
    };
    for (const TFrameRow& row : rows) {
        SCOPED_TRACE(row.name);
        const TSmithFrame plain = SmithFrame(row.area, em, 1.0);
        const TSmithFrame f = SmithFrame(row.area, em, 1.0, true);
        EXPECT_EQ(f.centre.y() < plain.centre.y(), row.movesUp);
        // the corner the legend takes is clear of the disc and its phase scale
        const QRectF legend(row.area.left(), row.area.bottom() - kLegendHeightEm * em, kLegendWidthEm * em,
                            kLegendHeightEm * em);
        const double dx = std::max({legend.left() - f.centre.x(), 0.0, f.centre.x() - legend.right()});
        const double dy = std::max({legend.top() - f.centre.y(), 0.0, f.centre.y() - legend.bottom()});
        EXPECT_GT(std::hypot(dx, dy), f.radius + 2.5 * em);
        EXPECT_GT(f.radius, 5 * em);
    }
}

}  // namespace
}  // namespace merivane::smith
