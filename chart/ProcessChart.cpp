// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessChart.h"

#include "ChartAxes.h"
#include "SweepTexts.h"

#include <QCategoryAxis>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace present = merivane::present;

namespace {

QString U(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

const QColor kAbsorbed(0, 128, 0), kReflected(192, 32, 32);

QLineSeries* Line(QChart* chart, const QString& name, const QColor& colour, Qt::PenStyle style)
{
    auto* s = new QLineSeries(chart);
    s->setName(name);
    s->setPen(QPen(colour, 1.5, style));
    s->setPointsVisible(true);
    chart->addSeries(s);
    return s;
}

// 0 .. the highest value at whole steps, the power axis's unit
void PowerAxis(QValueAxis* axis, const present::TPowerAxis& unit, double highest, const QString& what)
{
    double lo = unit.decibel ? highest - 30 : 0, hi = highest;
    if (!(hi > lo)) hi = lo + 1;
    const double step = NiceStep((hi - lo) * 1.05, 6);
    lo = std::floor(lo / step) * step;
    hi = std::ceil(hi / step) * step;
    axis->setTickType(QValueAxis::TicksFixed);
    SetAxis(axis, lo, hi, step, what + QStringLiteral(", ") + U(present::PowerAxisTitle(unit)));
}

}  // namespace

TProcessChartView::TProcessChartView(QWidget* parent) : QChartView(new QChart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setAccessibleName(QStringLiteral("Process chart"));
    QChart* c = chart();
    c->setAnimationOptions(QChart::NoAnimation);
    c->setBackgroundRoundness(0);
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->legend()->setAlignment(Qt::AlignBottom);
    axisX_ = new QCategoryAxis(c);
    axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axisAbsorbed_ = new QValueAxis(c);
    axisReflected_ = new QValueAxis(c);
    c->addAxis(axisX_, Qt::AlignBottom);
    c->addAxis(axisAbsorbed_, Qt::AlignLeft);
    c->addAxis(axisReflected_, Qt::AlignRight);
    // without a tuner dashed and lighter, so that the legend's swatches tell them apart too
    series_[0] = Line(c, QStringLiteral("Absorbed, no tuner"), kAbsorbed.lighter(170), Qt::DashLine);
    series_[1] = Line(c, QStringLiteral("Absorbed, robust"), kAbsorbed, Qt::SolidLine);
    series_[2] = Line(c, QStringLiteral("Reflected, no tuner"), kReflected.lighter(150), Qt::DashLine);
    series_[3] = Line(c, QStringLiteral("Reflected, robust"), kReflected, Qt::SolidLine);
    for (int i = 0; i < 4; ++i) {
        series_[i]->attachAxis(axisX_);
        series_[i]->attachAxis(i < 2 ? axisAbsorbed_ : axisReflected_);
    }
}

void TProcessChartView::ShowProcess(const present::TProcessResult& p, present::PowerUnit unit)
{
    double absorbed = 0, reflected = 0;
    for (const present::TProcessLoad& l : p.loads) {
        absorbed = std::max({absorbed, l.absorbedBeforeW, l.absorbedW});
        reflected = std::max({reflected, l.reflectedBeforeW, l.reflectedW});
    }
    const present::TPowerAxis aUnit = present::PowerAxisFor(absorbed, unit), rUnit = present::PowerAxisFor(reflected, unit);
    QList<QPointF> points[4];
    double aHi = -1e300, rHi = -1e300;
    for (std::size_t i = 0; i < p.loads.size(); ++i) {
        const present::TProcessLoad& l = p.loads[i];
        const double x = static_cast<double>(i);
        const double y[4] = {present::AxisValue(aUnit, l.absorbedBeforeW), present::AxisValue(aUnit, l.absorbedW),
                             present::AxisValue(rUnit, l.reflectedBeforeW), present::AxisValue(rUnit, l.reflectedW)};
        for (int k = 0; k < 4; ++k) {
            if (!std::isfinite(y[k])) continue;  // no power in a dB unit
            points[k].append(QPointF(x, y[k]));
            (k < 2 ? aHi : rHi) = std::max(k < 2 ? aHi : rHi, y[k]);
        }
    }
    // with the robust setting off, "after" is the load as it stands: drawn once
    const bool robust = p.robust.solved;
    for (int k = 0; k < 4; ++k) series_[k]->replace(robust || k % 2 == 0 ? points[k] : QList<QPointF>{});
    for (int k : {1, 3}) series_[k]->setVisible(robust);

    // a label at every point of a short set; a long one's every few
    for (const QString& label : axisX_->categoriesLabels()) axisX_->remove(label);
    const std::size_t n = p.loads.size(), every = std::max<std::size_t>(1, (n + 11) / 12);
    for (std::size_t i = 0; i < n; i += every) axisX_->append(U(p.loads[i].name), static_cast<double>(i));
    axisX_->setRange(-0.5, std::max(0.5, static_cast<double>(n) - 0.5));
    axisX_->setTitleText(QStringLiteral("Load, in process order"));
    PowerAxis(axisAbsorbed_, aUnit, std::isfinite(aHi) && aHi > -1e300 ? aHi : 1, QStringLiteral("Absorbed"));
    PowerAxis(axisReflected_, rUnit, std::isfinite(rHi) && rHi > -1e300 ? rHi : 1, QStringLiteral("Reflected"));
}

extern "C" Q_DECL_EXPORT IProcessChart* MerivaneMakeProcessChart(QWidget* parent)
{
    auto* view = new TProcessChartView(parent);
    if (parent) FollowPalette(view->chart(), parent->palette());
    return view;
}
