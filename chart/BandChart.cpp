// SPDX-License-Identifier: GPL-3.0-or-later
#include "BandChart.h"

#include "ChartAxes.h"
#include "SweepTexts.h"

#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace present = merivane::present;

namespace {

QString U(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

const QColor kIncident(0, 64, 192), kReflected(192, 32, 32), kAbsorbed(0, 128, 0);
const QColor kGamma(150, 90, 200), kCaseMark(120, 120, 120), kPulledMark(230, 120, 0);

QLineSeries* Line(QChart* chart, const QString& name, const QColor& colour, Qt::PenStyle style, double width)
{
    auto* s = new QLineSeries(chart);
    s->setName(name);
    QPen pen(colour, width, style);
    s->setPen(pen);
    chart->addSeries(s);
    return s;
}

// An axis's ends at whole steps about lo .. hi, at least one step apart.
void NiceRange(double& lo, double& hi, double& step)
{
    if (!(hi > lo)) hi = lo + std::max(1.0, std::fabs(lo) * 0.1);
    step = NiceStep((hi - lo) * 1.05, 6);
    lo = std::floor(lo / step) * step;
    hi = std::ceil(hi / step) * step;
}

// The points as a line of the width drawn shows them: in each of `buckets`
// runs of the band, its lowest and its highest point in the order of
// frequency. A curve of ten thousand points keeps its peaks and dips at a
// tenth of the cost to draw; a short one is kept whole.
QList<QPointF> Drawn(const QList<QPointF>& points, int buckets)
{
    if (points.size() <= 2 * buckets || points.size() < 3) return points;
    QList<QPointF> out;
    out.reserve(2 * buckets + 2);
    const double x0 = points.front().x(), x1 = points.back().x();
    const double width = (x1 - x0) / buckets;
    qsizetype i = 0;
    while (i < points.size()) {
        const int bucket = width > 0 ? std::min(buckets - 1, static_cast<int>((points[i].x() - x0) / width)) : 0;
        qsizetype lo = i, hi = i;
        qsizetype j = i;
        for (; j < points.size(); ++j) {
            const int b = width > 0 ? std::min(buckets - 1, static_cast<int>((points[j].x() - x0) / width)) : 0;
            if (b != bucket) break;
            if (points[j].y() < points[lo].y()) lo = j;
            if (points[j].y() > points[hi].y()) hi = j;
        }
        out.append(points[std::min(lo, hi)]);
        if (lo != hi) out.append(points[std::max(lo, hi)]);
        i = j;
    }
    return out;
}

}  // namespace

TBandChartView::TBandChartView(QWidget* parent) : QChartView(new QChart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setAccessibleName(QStringLiteral("Band chart"));
    QChart* c = chart();
    c->setAnimationOptions(QChart::NoAnimation);
    c->setBackgroundRoundness(0);
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->legend()->setAlignment(Qt::AlignBottom);
    axisX_ = new QValueAxis(c);
    axisX_->setTickType(QValueAxis::TicksDynamic);
    axisX_->setTickAnchor(0.0);
    axisPower_ = new QValueAxis(c);
    axisGamma_ = new QValueAxis(c);
    axisGamma_->setRange(0, 1);
    axisGamma_->setTickCount(6);
    axisGamma_->setLabelFormat(QStringLiteral("%.1f"));
    axisGamma_->setTitleText(QStringLiteral("|\u0393l|"));
    c->addAxis(axisX_, Qt::AlignBottom);
    c->addAxis(axisPower_, Qt::AlignLeft);
    c->addAxis(axisGamma_, Qt::AlignRight);
    // the marks under the curves
    marks_[0] = Line(c, QStringLiteral("Case frequency"), kCaseMark, Qt::SolidLine, 1.5);
    marks_[1] = Line(c, QStringLiteral("Pulled range"), kPulledMark, Qt::DashLine, 1.5);
    marks_[2] = Line(c, QStringLiteral("Pulled range (end)"), kPulledMark, Qt::DashLine, 1.5);
    power_[0] = Line(c, QStringLiteral("Incident"), kIncident, Qt::SolidLine, 1.5);
    power_[1] = Line(c, QStringLiteral("Reflected"), kReflected, Qt::SolidLine, 1.5);
    power_[2] = Line(c, QStringLiteral("Absorbed"), kAbsorbed, Qt::SolidLine, 1.5);
    gamma_ = Line(c, QStringLiteral("|\u0393l|"), kGamma, Qt::SolidLine, 1.5);
    worst_ = new QScatterSeries(c);
    worst_->setName(QStringLiteral("Worst reflected"));
    worst_->setColor(kReflected);
    worst_->setMarkerSize(9);
    c->addSeries(worst_);
    for (QAbstractSeries* s : c->series()) {
        s->attachAxis(axisX_);
        s->attachAxis(s == gamma_ ? axisGamma_ : axisPower_);
    }
    // one entry for the pulled range
    c->legend()->markers(marks_[2]).front()->setVisible(false);
}

void TBandChartView::ShowBand(const present::TBandResult& band, double caseMHz, double pulledLoMHz,
                              double pulledHiMHz, present::PowerUnit unit)
{
    double largest = 0;
    for (const present::TBandPoint& p : band.points) largest = std::max(largest, p.incidentW);
    const present::TPowerAxis axis = present::PowerAxisFor(largest, unit);
    QList<QPointF> points[3], gamma;
    for (QList<QPointF>& l : points) l.reserve(static_cast<qsizetype>(band.points.size()));
    gamma.reserve(static_cast<qsizetype>(band.points.size()));
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const present::TBandPoint& p : band.points) {
        const double w[3] = {p.incidentW, p.reflectedW, p.absorbedW};
        for (int i = 0; i < 3; ++i) {
            const double y = present::AxisValue(axis, w[i]);
            if (!std::isfinite(y)) continue;  // no power in a dB unit
            points[i].append(QPointF(p.frequencyMHz, y));
            lo = std::min(lo, y);
            hi = std::max(hi, y);
        }
        gamma.append(QPointF(p.frequencyMHz, p.gammaMag));
    }
    // a bucket for each pixel of the plot's width (the widest screen's before the first layout)
    const int buckets = std::max(200, static_cast<int>(chart()->plotArea().width()) > 0
                                          ? static_cast<int>(chart()->plotArea().width() * devicePixelRatioF() / 4)
                                          : 2000);
    for (int i = 0; i < 3; ++i) power_[i]->replace(Drawn(points[i], buckets));
    gamma_->replace(Drawn(gamma, buckets));

    // the frequency axis over the band asked for, the power's from its lowest (0 in W) to its highest
    double x0 = caseMHz - band.halfMHz, x1 = caseMHz + band.halfMHz, xStep = 1;
    NiceRange(x0, x1, xStep);
    SetAxis(axisX_, x0, x1, xStep, QStringLiteral("Frequency (MHz)"));
    if (!std::isfinite(lo)) lo = 0, hi = 1;
    if (!axis.decibel) lo = std::min(lo, 0.0);
    double yStep = 1;
    NiceRange(lo, hi, yStep);
    axisPower_->setTickType(QValueAxis::TicksFixed);
    SetAxis(axisPower_, lo, hi, yStep, U(present::PowerAxisTitle(axis)));

    const auto vertical = [lo, hi](QLineSeries* s, double x) {
        if (std::isfinite(x)) s->replace(QList<QPointF>{{x, lo}, {x, hi}});
        else s->clear();
    };
    vertical(marks_[0], caseMHz);
    vertical(marks_[1], pulledLoMHz);
    vertical(marks_[2], pulledHiMHz);
    if (band.points.empty()) worst_->clear();
    else worst_->replace(QList<QPointF>{{band.worstFrequencyMHz, present::AxisValue(axis, band.reflectedMaxW)}});
    // the legend names what is drawn: no pulled range without a pulling figure
    for (QAbstractSeries* s : {static_cast<QAbstractSeries*>(marks_[1]), static_cast<QAbstractSeries*>(worst_)})
        for (QLegendMarker* m : chart()->legend()->markers(s))
            m->setVisible(static_cast<QXYSeries*>(s)->count() > 0);
}

extern "C" Q_DECL_EXPORT IBandChart* MerivaneMakeBandChart(QWidget* parent)
{
    auto* view = new TBandChartView(parent);
    if (parent) FollowPalette(view->chart(), parent->palette());
    return view;
}
